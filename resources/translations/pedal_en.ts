<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
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
</TS>
