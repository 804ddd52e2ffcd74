<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>cUpgrade</name>
    <message>
        <source>Do not disconnect USB while upgrading</source>
        <translation>Do not disconnect USB while upgrading</translation>
    </message>
    <message>
        <source>Download failed!</source>
        <translation>Download failed!</translation>
    </message>
    <message>
        <source>Download and update?</source>
        <translation>Download and update?</translation>
    </message>
    <message>
        <source>Download progress: %p%</source>
        <translation>Download progress: %p%</translation>
    </message>
    <message>
        <source>Firmware Files (*.ufw);</source>
        <translation>Firmware Files (*.ufw);</translation>
    </message>
    <message>
        <source>Firmware Upgrade Err</source>
        <translation>Update interrupted</translation>
    </message>
    <message>
        <source>It is already the latest version!</source>
        <translation>It is already the latest version!</translation>
    </message>
    <message>
        <source>Offline Upgrade</source>
        <translation>Offline Upgrade</translation>
    </message>
    <message>
        <source>Please restart the software to update</source>
        <translation>Please restart the software to update</translation>
    </message>
    <message>
        <source>Select Firmware File</source>
        <translation>Select Firmware File</translation>
    </message>
    <message>
        <source>Update progress: %p%</source>
        <translation>Update progress: %p%</translation>
    </message>
    <message>
        <source>Upgrade Firmware</source>
        <translation>Upgrade Firmware</translation>
    </message>
    <message>
        <source>firmware upgrade</source>
        <translation>firmware upgrade</translation>
    </message>
</context>
<context>
    <name>CShareUpdateDlg</name>
    <message>
        <source>升级</source>
        <translation>upgrade</translation>
    </message>
</context>
</TS>
