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
        <source>The downloaded firmware file is damaged.</source>
        <translation>The downloaded firmware file is damaged.</translation>
    </message>
    <message>
        <source>Please choose a firmware file (*.ufw).</source>
        <translation>Please choose a firmware file (*.ufw).</translation>
    </message>
    <message>
        <source>The firmware file cannot be read.</source>
        <translation>The firmware file cannot be read.</translation>
    </message>
    <message>
        <source>The file is not a valid firmware file.</source>
        <translation>The file is not a valid firmware file.</translation>
    </message>
    <message>
        <source>An interrupted upgrade of another device must be finished first. Connect that device, start the editor again and choose Fix Mode in the menu of the connection window.</source>
        <translation>An interrupted upgrade of another device must be finished first. Connect that device, start the editor again and choose Fix Mode in the menu of the connection window.</translation>
    </message>
    <message>
        <source>The device in upgrade mode does not answer. Please restart the software to update.</source>
        <translation>The device in upgrade mode does not answer. Please restart the software to update.</translation>
    </message>
    <message>
        <source>The firmware does not match the device in upgrade mode. Please restart the software to update.</source>
        <translation>The firmware does not match the device in upgrade mode. Please restart the software to update.</translation>
    </message>
    <message>
        <source>The failure could not be recorded (the settings file cannot be written), so a restart will not resume the upgrade.</source>
        <translation>The failure could not be recorded (the settings file cannot be written), so a restart will not resume the upgrade.</translation>
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
