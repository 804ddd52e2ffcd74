<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CDlgPreset</name>
    <message>
        <source>Are you sure to apply this preset to the device?This will cover the current settings.</source>
        <translation>Are you sure to apply this preset to the device?This will cover the current settings.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Delete the selected preset file?</source>
        <translation>Delete the selected preset file?</translation>
    </message>
    <message>
        <source>Download failed</source>
        <translation>Download failed</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Load Preset</source>
        <translation>Load preset</translation>
    </message>
    <message>
        <source>No preset options were selected.</source>
        <translation>No preset options were selected.</translation>
    </message>
    <message>
        <source>Preset List</source>
        <translation>Preset List</translation>
    </message>
    <message>
        <source>Select preset</source>
        <translation>Select preset</translation>
    </message>
    <message>
        <source>Video tutorial: </source>
        <translation>Video tutorial: </translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>network err</source>
        <translation>network err</translation>
    </message>
    <message>
        <source>no preset</source>
        <translation>No available preset</translation>
    </message>
</context>
<context>
    <name>cDlgPadLevel</name>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Confirm restore initial data?</source>
        <translation>Confirm restore initial data?</translation>
    </message>
    <message>
        <source>Data recovery</source>
        <translation>Data recovery</translation>
    </message>
    <message>
        <source>Level_tips</source>
        <translation>These parameters are used to control the triggering threshold of the pad. If you find it difficult to trigger, you can decrease the value. If you feel it is easy to trigger by mistake, please increase the value! </translation>
    </message>
    <message>
        <source>Pad Calibration</source>
        <translation>Pad Calibration</translation>
    </message>
    <message>
        <source>Restore factory data</source>
        <translation>Restore factory data</translation>
    </message>
    <message>
        <source>Restore factory data?</source>
        <translation>Restore factory data</translation>
    </message>
    <message>
        <source>Restore factory threshold data?</source>
        <translation>Restore factory threshold data?</translation>
    </message>
    <message>
        <source>Restore initial data</source>
        <translation>Restore initial data</translation>
    </message>
    <message>
        <source>Restore the data to its unmodified state</source>
        <translation>Restore the data to its unmodified state</translation>
    </message>
</context>
</TS>
