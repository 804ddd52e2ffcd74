<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>cDlgZ3</name>
    <message>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>Pedal</source>
        <translation>Pedal</translation>
    </message>
    <message>
        <source>Bluetooth Host</source>
        <translation>Bluetooth Host</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Model1 (PC Code)</source>
        <translation>Model1 (PC Code)</translation>
    </message>
    <message>
        <source>Model2 (CC Code)</source>
        <translation>Model2 (CC Code)</translation>
    </message>
    <message>
        <source>Customize1 (CC Code)</source>
        <translation>Customized1</translation>
    </message>
    <message>
        <source>Customize2</source>
        <translation>Customized2</translation>
    </message>
    <message>
        <source>DIsplay Screen</source>
        <translation>Display Screen</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Preset2_text&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>A to D switch are used to send PC code,
E to F switch for the flip group,
A total of 128 timbre</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Preset3_text&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>A to D switch are used to send CC code,
E to F switch for the flip group,
A total of 128 timbre</translation>
    </message>
    <message>
        <source>Max tone color</source>
        <translation>Max tone color</translation>
    </message>
    <message>
        <source>Switch A</source>
        <translation>Switch A</translation>
    </message>
    <message>
        <source>Switch B</source>
        <translation>Switch B</translation>
    </message>
    <message>
        <source>Switch C</source>
        <translation>Switch C</translation>
    </message>
    <message>
        <source>Switch D</source>
        <translation>Switch D</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Data1</source>
        <translation>Data1</translation>
    </message>
    <message>
        <source>Latch</source>
        <translation>Latch</translation>
    </message>
    <message>
        <source>Momentary</source>
        <translation>Momentary</translation>
    </message>
    <message>
        <source>Current Group</source>
        <translation>Current Group</translation>
    </message>
    <message>
        <source>Group Count</source>
        <translation>Group Count</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Down(Toggle)</source>
        <translation>Down(Toggle)</translation>
    </message>
    <message>
        <source>Down+Up</source>
        <translation>Down+Up</translation>
    </message>
    <message>
        <source>Long</source>
        <translation>Long</translation>
    </message>
    <message>
        <source>Up+Long</source>
        <translation>Up+Long</translation>
    </message>
    <message>
        <source>Group1</source>
        <translation>Group1</translation>
    </message>
    <message>
        <source>Group2</source>
        <translation>Group2</translation>
    </message>
    <message>
        <source>label_down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>label_up</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>label_long</source>
        <translation>Long</translation>
    </message>
    <message>
        <source>Connect any Bluetooth MIDI device</source>
        <translation>Connect any Bluetooth MIDI device</translation>
    </message>
    <message>
        <source>Connect specified Bluetooth MIDI device</source>
        <translation>Connect specified Bluetooth MIDI device</translation>
    </message>
    <message>
        <source>Not connected to Bluetooth MIDI device</source>
        <translation>Not connected to Bluetooth MIDI device</translation>
    </message>
    <message>
        <source>Explain</source>
        <translation>Explain</translation>
    </message>
    <message>
        <source>Explain1</source>
        <translation>Mode 1 is used to actively connect to the nearest Bluetooth MIDI device.
Please turn off unnecessary Bluetooth MIDI devices to prevent accidental connections.</translation>
    </message>
    <message>
        <source>Explain2</source>
        <translation>Mode 2 is used to connect to a Bluetooth MIDI device with a specified name.
Click 'Scan', select the Bluetooth name you wish to connect to, and finally click 'Connect'.</translation>
    </message>
    <message>
        <source>Explain3</source>
        <translation>Mode 3 disables the ability to actively connect to Bluetooth MIDI devices, 
allowing only passive connections.</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Forward the received data</source>
        <translation>Cascade Mode</translation>
    </message>
    <message>
        <source>BtExplain</source>
        <translation>After enabling,the data received via Bluetooth will be forwarded to the next device,enabling multi-device connections.</translation>
    </message>
    <message>
        <source>Receive data...</source>
        <translation>Load data...</translation>
    </message>
    <message>
        <source> Connected</source>
        <translation> Connected</translation>
    </message>
    <message>
        <source>Data error,Please reconnect...</source>
        <translation>Data error,Please reconnect...</translation>
    </message>
    <message>
        <source>Bluetooth connection successful...</source>
        <translation>Bluetooth connection successful...</translation>
    </message>
    <message>
        <source>Connected MIDI device: </source>
        <translation>Connected Bluetooth:</translation>
    </message>
    <message>
        <source>Switching modes will disconnect the current Bluetooth connection. Do you want to switch?</source>
        <translation>Switching modes will disconnect the current Bluetooth connection. Do you want to switch?</translation>
    </message>
    <message>
        <source>The Bluetooth name is too long. Please switch to the Host mode.</source>
        <translation>The Bluetooth name is too long. Please switch to the Host model2.</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>remove_all</source>
        <translation>Remove all</translation>
    </message>
    <message>
        <source>reset</source>
        <translation>restore factory setting</translation>
    </message>
    <message>
        <source>Up to 16 MIDI codes can be stored.</source>
        <translation>Up to 16 MIDI codes can be stored.</translation>
    </message>
    <message>
        <source>The memory pool has reached its limit. Delete some of the SysEx message and then re-add it.</source>
        <translation>The memory pool has reached its limit. Delete some of the SysEx message and then re-add it.</translation>
    </message>
    <message>
        <source>INI Data Err!</source>
        <translation>INI Data Err!</translation>
    </message>
    <message>
        <source>File write failed.</source>
        <translation>File write failed.</translation>
    </message>
    <message>
        <source>Preset save defeated</source>
        <translation>Preset save defeated</translation>
    </message>
    <message>
        <source>Preset save successful</source>
        <translation>Preset save successful</translation>
    </message>
    <message>
        <source>File Error!</source>
        <translation>File Error!</translation>
    </message>
    <message>
        <source>Configuration file error!</source>
        <translation>Configuration file error!</translation>
    </message>
</context>
<context>
    <name>cPedal</name>
    <message>
        <source>Pedal Setting</source>
        <translation>DOVO Dazed Setting</translation>
    </message>
    <message>
        <source>Pedal (CC Code)</source>
        <translation>Pedal (CC Code)</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Data1</source>
        <translation>Data1</translation>
    </message>
    <message>
        <source>Data2</source>
        <translation>Data2</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>From</translation>
    </message>
    <message>
        <source>From</source>
        <translation>From</translation>
    </message>
    <message>
        <source>to</source>
        <translation>to</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>cValueKey</name>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Data1</source>
        <translation>Data1</translation>
    </message>
    <message>
        <source>Data2</source>
        <translation>Data2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Please provide valid data.</source>
        <translation>Please provide valid data.</translation>
    </message>
    <message>
        <source>The format of the Sysex message is incorrect.</source>
        <translation>The format of the Sysex message is incorrect.</translation>
    </message>
    <message>
        <source>The length of the Sysex message exceeds 64.</source>
        <translation>The length of the Sysex message exceeds 64.</translation>
    </message>
</context>
<context>
    <name>cDlgLoadINI</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>新建列</source>
        <translation>New Column</translation>
    </message>
</context>
</TS>
