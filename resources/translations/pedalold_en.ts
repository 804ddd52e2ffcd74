<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
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
