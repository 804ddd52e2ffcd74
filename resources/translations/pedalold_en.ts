<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>master</name>
    <message>
        <source>Preset1</source>
        <translation>Preset1</translation>
    </message>
    <message>
        <source>Preset2</source>
        <translation>Preset2</translation>
    </message>
    <message>
        <source>Preset3</source>
        <translation>Preset3</translation>
    </message>
    <message>
        <source>Customize1</source>
        <translation>Customize1</translation>
    </message>
    <message>
        <source>Customize2</source>
        <translation>Customize2</translation>
    </message>
    <message>
        <source>Pedal</source>
        <translation>Pedal</translation>
    </message>
    <message>
        <source>Display Screen</source>
        <translation>Display Screen</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Preset1_text&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>A to D switch are used to send PC code,
E and F switch are turned groups,
A total of 8 groups of 32 timbre</translation>
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
        <source>Delete All</source>
        <translation>Delete All</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>label_down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>label_toggle1</source>
        <translation>Value1</translation>
    </message>
    <message>
        <source>label_toggle2</source>
        <translation>Value2</translation>
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
        <source>warning</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>remove_all</source>
        <translation>Remove all</translation>
    </message>
    <message>
        <source>Receive data...</source>
        <translation>Load data...</translation>
    </message>
    <message>
        <source>Data error,Please reconnect...</source>
        <translation>Data error,Please reconnect...</translation>
    </message>
    <message>
        <source> Connected</source>
        <translation> Connected</translation>
    </message>
    <message>
        <source>Preset save successful</source>
        <translation>Preset save successful</translation>
    </message>
    <message>
        <source>Preset save defeated</source>
        <translation>Preset save defeated</translation>
    </message>
    <message>
        <source>File write failed.</source>
        <translation>File write failed.</translation>
    </message>
    <message>
        <source>File Error!</source>
        <translation>File Error!</translation>
    </message>
    <message>
        <source>Configuration file error!</source>
        <translation>Configuration file error!</translation>
    </message>
    <message>
        <source>reset</source>
        <translation>restore factory setting</translation>
    </message>
</context>
<context>
    <name>cDlgZ6</name>
    <message>
        <source>Explain1</source>
        <translation>Mode 1 is used to actively connect to the nearest Bluetooth MIDI device.
Please turn off unnecessary Bluetooth MIDI devices to prevent accidental connections.</translation>
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
        <source>Explain2</source>
        <translation>Mode 2 is used to connect to a Bluetooth MIDI device with a specified name.
Click 'Scan', select the Bluetooth name you wish to connect to, and finally click 'Connect'.</translation>
    </message>
    <message>
        <source>Explain3</source>
        <translation>Mode 3 disables the ability to actively connect to Bluetooth MIDI devices, 
allowing only passive connections.</translation>
    </message>
</context>
<context>
    <name>cDlgZ6Child</name>
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
        <source>CANCEL</source>
        <translation>CANCEL</translation>
    </message>
</context>
</TS>
