<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>pc_connectui</name>
    <message>
        <source>Device not found for upgrade</source>
        <translation>未找到升级设备</translation>
    </message>
    <message>
        <source>Fix Mode</source>
        <translation>升级失败修复</translation>
    </message>
    <message>
        <source>MIDI port is occupied !</source>
        <translation>MIDI端口已被占用！</translation>
    </message>
    <message>
        <source>No MIDI service was found (%1). The editor will connect as soon as one starts.</source>
        <translation>未找到MIDI服务（%1）。MIDI服务启动后，编辑器会自动连接。</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>connect the device to the computer using USB cable</source>
        <translation>使用USB数据线将设备连接至电脑</translation>
    </message>
    <message>
        <source>menu</source>
        <translation>菜单</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>The settings file cannot be written: your choice holds until the editor closes and is not kept for the next start.</source>
        <translation>设置文件无法写入：您的选择只在本次运行中有效，下次启动时不会保留。</translation>
    </message>
</context>
</TS>
