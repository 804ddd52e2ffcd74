<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ColorPicker</name>
    <message>
        <source>B</source>
        <translation>蓝</translation>
    </message>
    <message>
        <source>Color Picker</source>
        <translation>选择颜色</translation>
    </message>
    <message>
        <source>G</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>R</source>
        <translation>红</translation>
    </message>
    <message>
        <source>brightness:</source>
        <translation>亮度:</translation>
    </message>
    <message>
        <source>cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>confirm</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>switchbutton</name>
    <message>
        <source>OFF</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>打开</translation>
    </message>
</context>
</TS>
