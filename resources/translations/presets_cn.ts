<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CDlgPreset</name>
    <message>
        <source>Are you sure to apply this preset to the device?This will cover the current settings.</source>
        <translation>您确定要将此预设应用于该设备吗？这样做将会覆盖当前的设置。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Delete the selected preset file?</source>
        <translation>删除所选的预设文件？</translation>
    </message>
    <message>
        <source>Download failed</source>
        <translation>下载失败</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>加载</translation>
    </message>
    <message>
        <source>Load Preset</source>
        <translation>加载预设</translation>
    </message>
    <message>
        <source>No preset options were selected.</source>
        <translation>未选择任何预设。</translation>
    </message>
    <message>
        <source>Preset List</source>
        <translation>预设列表</translation>
    </message>
    <message>
        <source>Select preset</source>
        <translation>预设选择</translation>
    </message>
    <message>
        <source>Video tutorial: </source>
        <translation>视频教程: </translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>network err</source>
        <translation>网络错误</translation>
    </message>
    <message>
        <source>no preset</source>
        <translation>没有可用预设</translation>
    </message>
</context>
<context>
    <name>cDlgPadLevel</name>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Confirm restore initial data?</source>
        <translation>确定恢复上次数据？</translation>
    </message>
    <message>
        <source>Data recovery</source>
        <translation>数据恢复</translation>
    </message>
    <message>
        <source>Level_tips</source>
        <translation>这些参数用于控制打击垫的触发阈值。如果您发现个别打击垫触发困难，可以减小该值。如果您觉得个别打击垫容易误触发，可以增大该值！</translation>
    </message>
    <message>
        <source>Pad Calibration</source>
        <translation>力度校准</translation>
    </message>
    <message>
        <source>Restore factory data</source>
        <translation>恢复出厂数据</translation>
    </message>
    <message>
        <source>Restore factory data?</source>
        <translation>恢复出厂数据</translation>
    </message>
    <message>
        <source>Restore factory threshold data?</source>
        <translation>恢复出厂阈值数据？</translation>
    </message>
    <message>
        <source>Restore initial data</source>
        <translation>恢复初始数据</translation>
    </message>
    <message>
        <source>Restore the data to its unmodified state</source>
        <translation>将数值恢复到出厂设置</translation>
    </message>
</context>
</TS>
