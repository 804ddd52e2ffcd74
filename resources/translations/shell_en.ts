<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>pc_connectui</name>
    <message>
        <source>Device not found for upgrade</source>
        <translation>Device not found for upgrade</translation>
    </message>
    <message>
        <source>Fix Mode</source>
        <translation>Fix upgrade defeat</translation>
    </message>
    <message>
        <source>MIDI port is occupied !</source>
        <translation>MIDI port is occupied !</translation>
    </message>
    <message>
        <source>No MIDI service was found (%1). The editor will connect as soon as one starts.</source>
        <translation>No MIDI service was found (%1). The editor will connect as soon as one starts.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>connect the device to the computer using USB cable</source>
        <translation>connect the device to the computer using USB cable</translation>
    </message>
    <message>
        <source>menu</source>
        <translation>menu</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>warning</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>warning</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>The settings file cannot be written: your choice holds until the editor closes and is not kept for the next start.</source>
        <translation>The settings file cannot be written: your choice holds until the editor closes and is not kept for the next start.</translation>
    </message>
</context>
</TS>
