<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>cUpgrade</name>
    <message>
        <source>Do not disconnect USB while upgrading</source>
        <translation>升级过程中请不要断开USB线连接</translation>
    </message>
    <message>
        <source>Download failed!</source>
        <translation>下载失败！</translation>
    </message>
    <message>
        <source>Download and update?</source>
        <translation>下载并更新？</translation>
    </message>
    <message>
        <source>Download progress: %p%</source>
        <translation>下载进度： %p%</translation>
    </message>
    <message>
        <source>Firmware Files (*.ufw);</source>
        <translation>固件更新文件 (*.ufw);</translation>
    </message>
    <message>
        <source>Firmware Upgrade Err</source>
        <translation>更新中断</translation>
    </message>
    <message>
        <source>It is already the latest version!</source>
        <translation>已经是最新版本了！</translation>
    </message>
    <message>
        <source>Offline Upgrade</source>
        <translation>离线升级</translation>
    </message>
    <message>
        <source>Please restart the software to update</source>
        <translation>请重启软件重新更新</translation>
    </message>
    <message>
        <source>Select Firmware File</source>
        <translation>选择固件文件</translation>
    </message>
    <message>
        <source>Update progress: %p%</source>
        <translation>更新进度: %p%</translation>
    </message>
    <message>
        <source>Upgrade Firmware</source>
        <translation>固件更新</translation>
    </message>
    <message>
        <source>The downloaded firmware file is damaged.</source>
        <translation>下载的固件文件已损坏。</translation>
    </message>
    <message>
        <source>Please choose a firmware file (*.ufw).</source>
        <translation>请选择固件文件（*.ufw）。</translation>
    </message>
    <message>
        <source>The firmware file cannot be read.</source>
        <translation>无法读取固件文件。</translation>
    </message>
    <message>
        <source>The file is not a valid firmware file.</source>
        <translation>该文件不是有效的固件文件。</translation>
    </message>
    <message>
        <source>An interrupted upgrade of another device must be finished first. Connect that device, start the editor again and choose Fix Mode in the menu of the connection window.</source>
        <translation>另一台设备的升级尚未完成，请先完成该升级：连接该设备，重新启动编辑器，然后在连接窗口的菜单中选择“升级失败修复”。</translation>
    </message>
    <message>
        <source>The device in upgrade mode does not answer. Please restart the software to update.</source>
        <translation>升级模式下的设备没有响应。请重启软件重新更新。</translation>
    </message>
    <message>
        <source>The firmware does not match the device in upgrade mode. Please restart the software to update.</source>
        <translation>固件与升级模式下的设备不匹配。请重启软件重新更新。</translation>
    </message>
    <message>
        <source>The failure could not be recorded (the settings file cannot be written), so a restart will not resume the upgrade.</source>
        <translation>无法记录此次失败（设置文件无法写入），重启软件后不会继续更新。</translation>
    </message>
    <message>
        <source>firmware upgrade</source>
        <translation>固件更新</translation>
    </message>
</context>
<context>
    <name>CShareUpdateDlg</name>
    <message>
        <source>升级</source>
        <translation>升级</translation>
    </message>
</context>
</TS>
