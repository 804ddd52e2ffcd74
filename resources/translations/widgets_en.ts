<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ColorPicker</name>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>Color Picker</source>
        <translation>Color Picker</translation>
    </message>
    <message>
        <source>G</source>
        <translation>G</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>brightness:</source>
        <translation>Brightness:</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>confirm</source>
        <translation>Confirm</translation>
    </message>
</context>
<context>
    <name>switchbutton</name>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
</context>
</TS>
