<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CRZM7</name>
    <message>
        <source> Connected</source>
        <translation> 已连接</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1小时</translation>
    </message>
    <message>
        <source>15 min</source>
        <translation>15分钟</translation>
    </message>
    <message>
        <source>2 hour</source>
        <translation>2小时</translation>
    </message>
    <message>
        <source>3 hour</source>
        <translation>3小时</translation>
    </message>
    <message>
        <source>30 min</source>
        <translation>30分钟</translation>
    </message>
    <message>
        <source>4 hour</source>
        <translation>4小时</translation>
    </message>
    <message>
        <source>5 min</source>
        <translation>5分钟</translation>
    </message>
    <message>
        <source>50%(off)</source>
        <translation>50%(关闭)</translation>
    </message>
    <message>
        <source>After
Touch</source>
        <translation>触后</translation>
    </message>
    <message>
        <source>After Touch
Delay</source>
        <translation>触后
延迟(ms)</translation>
    </message>
    <message>
        <source>After Touch
Mode</source>
        <translation>触后
模式</translation>
    </message>
    <message>
        <source>An (Aftertouch)</source>
        <translation>An (复音触后)</translation>
    </message>
    <message>
        <source>Auto standby</source>
        <translation>自动
待机</translation>
    </message>
    <message>
        <source>BLE MIDI Switch</source>
        <translation>蓝牙MIDI开关</translation>
    </message>
    <message>
        <source>BT</source>
        <translation>蓝牙</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>黑色</translation>
    </message>
    <message>
        <source>CC Toggle
CH:%1
data1:%2
value:%3 or %4</source>
        <translation>切换CC码
通道:%1
控制器编号:%2
数值:%3/%4</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>自定义</translation>
    </message>
    <message>
        <source>DAW SYNC
(Ext Clock)</source>
        <translation>外部
时钟</translation>
    </message>
    <message>
        <source>Dark
Mode</source>
        <translation>夜晚
模式</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>音符重复
节拍</translation>
    </message>
    <message>
        <source>Dn (CH Pressure)</source>
        <translation>Dn (通道压力)</translation>
    </message>
    <message>
        <source>ECO
Mode</source>
        <translation>省电
模式</translation>
    </message>
    <message>
        <source>Enter the preset save name:</source>
        <translation>预设的保存名称：</translation>
    </message>
    <message>
        <source>Factory data reset</source>
        <translation>您确定要恢复出厂设置吗？恢复至出厂设置会将所有设置还原到原始的出厂状态！</translation>
    </message>
    <message>
        <source>Fail to save!</source>
        <translation>保存失败！</translation>
    </message>
    <message>
        <source>Firmware upgrade</source>
        <translation>固件更新</translation>
    </message>
    <message>
        <source>Full
Level</source>
        <translation>无力度</translation>
    </message>
    <message>
        <source>Full Level
Velocity</source>
        <translation>无力度时
发送值</translation>
    </message>
    <message>
        <source>Gate</source>
        <translation>音符重复
门限</translation>
    </message>
    <message>
        <source>Global</source>
        <translation>全局</translation>
    </message>
    <message>
        <source>Knob Bank</source>
        <translation>旋钮组</translation>
    </message>
    <message>
        <source>Knob/Button</source>
        <translation>旋钮/按键</translation>
    </message>
    <message>
        <source>Latch</source>
        <translation>锁定</translation>
    </message>
    <message>
        <source>Load preset file</source>
        <translation>加载预设文件</translation>
    </message>
    <message>
        <source>Low Battery
Indicator</source>
        <translation>低电量
提示</translation>
    </message>
    <message>
        <source>Momentary</source>
        <translation>瞬时</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>从不</translation>
    </message>
    <message>
        <source>No</source>
        <translation>不</translation>
    </message>
    <message>
        <source>Note
CH:%1
data1:%2
range:%3-%4</source>
        <translation>音符开关
通道:%1
音符:%2
力度:%3-%4</translation>
    </message>
    <message>
        <source>Note Repeat
Mode</source>
        <translation>音符重复
按键</translation>
    </message>
    <message>
        <source>PC
CH:%1
MSB:%2
LSB:%3
Program:%4</source>
        <translation>改变音色
通道:%1
MSB:%2
LSB:%3
音色:%4</translation>
    </message>
    <message>
        <source>Pad</source>
        <translation>打击垫</translation>
    </message>
    <message>
        <source>Pad Bank</source>
        <translation>Pad组</translation>
    </message>
    <message>
        <source>Pad Calibration</source>
        <translation>力度校准</translation>
    </message>
    <message>
        <source>Pad Down
Color</source>
        <translation>Pad按下
颜色</translation>
    </message>
    <message>
        <source>Pad down color in Dark mode</source>
        <translation>在夜晚模式下Pad按下的颜色</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>Preset 1</source>
        <translation>预设1</translation>
    </message>
    <message>
        <source>Preset 2</source>
        <translation>预设2</translation>
    </message>
    <message>
        <source>Preset 3</source>
        <translation>预设3</translation>
    </message>
    <message>
        <source>Preset 4</source>
        <translation>预设4</translation>
    </message>
    <message>
        <source>Preset 5</source>
        <translation>预设5</translation>
    </message>
    <message>
        <source>Preset 6</source>
        <translation>预设6</translation>
    </message>
    <message>
        <source>Preset 7</source>
        <translation>预设7</translation>
    </message>
    <message>
        <source>Preset 8</source>
        <translation>预设8</translation>
    </message>
    <message>
        <source>Configuration file error!</source>
        <translation>配置文件错误！</translation>
    </message>
    <message>
        <source>Preset save defeated</source>
        <translation>预设保存失败</translation>
    </message>
    <message>
        <source>Preset save successful</source>
        <translation>预设保存成功</translation>
    </message>
    <message>
        <source>Receive data...</source>
        <translation>加载数据...</translation>
    </message>
    <message>
        <source>Restore factory data successful</source>
        <translation>恢复出厂数据成功</translation>
    </message>
    <message>
        <source>Restore to factory defaults failed</source>
        <translation>恢复出厂数据失败</translation>
    </message>
    <message>
        <source>Reverse pad color</source>
        <translation>Pad的反色</translation>
    </message>
    <message>
        <source>Revert to factory setting...</source>
        <translation>恢复出厂设置...</translation>
    </message>
    <message>
        <source>Same as pad color</source>
        <translation>与Pad同色</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存到
设备</translation>
    </message>
    <message>
        <source>Save current preset</source>
        <translation>保存当前预设</translation>
    </message>
    <message>
        <source>Save current preset to device</source>
        <translation>保存当前预设到设备</translation>
    </message>
    <message>
        <source>Save locally</source>
        <translation>本地保存</translation>
    </message>
    <message>
        <source>Save successful</source>
        <translation>保存成功</translation>
    </message>
    <message>
        <source>Save the data to the device?</source>
        <translation>当前预设有修改，是否需要将修改保存到设备？</translation>
    </message>
    <message>
        <source>Save to device</source>
        <translation>保存到设备</translation>
    </message>
    <message>
        <source>Set all pads to this color?</source>
        <translation>将所有Pad设置为此颜色？</translation>
    </message>
    <message>
        <source>Splash Show
Battery</source>
        <translation>开机显示
电池电量</translation>
    </message>
    <message>
        <source>Swing</source>
        <translation>音符重复
摇摆</translation>
    </message>
    <message>
        <source>Sync clock with DAW software</source>
        <translation>和外部DAW软件同步时钟</translation>
    </message>
    <message>
        <source>Tempo</source>
        <translation>音符重复
速度</translation>
    </message>
    <message>
        <source>The pause button flashes when the battery is low</source>
        <translation>电量不足时，暂停键会闪烁</translation>
    </message>
    <message>
        <source>The startup indicator lights show the battery level. Red indicates low battery, while green indicates high battery.</source>
        <translation>勾选后，开机流水灯显示电池电量：
红色为低电量，绿色为高电量。</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>To All
Pad</source>
        <translation>复制到
所有Pad</translation>
    </message>
    <message>
        <source>Trigger mode of the 'Note Repeat' key</source>
        <translation>Note Repeat键的触发模式</translation>
    </message>
    <message>
        <source>Vel-Curve</source>
        <translation>力度曲线</translation>
    </message>
    <message>
        <source>White</source>
        <translation>白色</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是的</translation>
    </message>
    <message>
        <source>momentary
CH:%1
data1:%2
Down:%3
Up:%4</source>
        <translation>瞬时切换CC
通道:%1
控制器编号:%2
按下数值:%3
抬起数值:%4</translation>
    </message>
</context>
<context>
    <name>CRZM7DLG</name>
    <message>
        <source>CC</source>
        <translation>CC</translation>
    </message>
    <message>
        <source>CC Name</source>
        <translation>控制器号</translation>
    </message>
    <message>
        <source>CW</source>
        <translation>音符选择</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Color </source>
        <translation>颜色 </translation>
    </message>
    <message>
        <source>Data1</source>
        <translation>数据1</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation></translation>
    </message>
    <message>
        <source>Down</source>
        <translation>按下</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>快</translation>
    </message>
    <message>
        <source>Fastest</source>
        <translation>最快</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>Long</source>
        <translation>长按</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>最大值</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>最小值</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>音符开关</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>音色</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>Set %1 according to the pad order?</source>
        <translation>根据打击垫的顺序来设置%1吗？</translation>
    </message>
    <message>
        <source>Set All</source>
        <translation>同步全部</translation>
    </message>
    <message>
        <source>Set all channels?</source>
        <translation>同步到所有通道？</translation>
    </message>
    <message>
        <source>Set all color?</source>
        <translation>将颜色同步到所有Pad？</translation>
    </message>
    <message>
        <source>Setting Button </source>
        <translation>按键设置 </translation>
    </message>
    <message>
        <source>Setting Knob </source>
        <translation>旋钮设置 </translation>
    </message>
    <message>
        <source>Setting Pad </source>
        <translation>Pad设置 </translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>慢</translation>
    </message>
    <message>
        <source>Slowest</source>
        <translation>最慢</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>Sysex data maximum length is 40</source>
        <translation>自定义数据的最大长度为 40 位</translation>
    </message>
    <message>
        <source>The SysEx data has reached its maximum capacity of %1 bytes.</source>
        <translation>已达自定义数据最大容量：%1位.</translation>
    </message>
    <message>
        <source>The SysEx message format is err</source>
        <translation>自定义消息格式错误</translation>
    </message>
    <message>
        <source>The maximum value and the minimum value cannot be equal.</source>
        <translation>最大值和最小值不可以相等。</translation>
    </message>
    <message>
        <source>To all
Button</source>
        <translation>同步到
所有按键</translation>
    </message>
    <message>
        <source>To all
knob</source>
        <translation>同步到
所有旋钮</translation>
    </message>
    <message>
        <source>To all
pad</source>
        <translation>同步到
所有Pad</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>抬起</translation>
    </message>
    <message>
        <source>Value1</source>
        <translation>数值1</translation>
    </message>
    <message>
        <source>Value2</source>
        <translation>数值2</translation>
    </message>
    <message>
        <source>data2</source>
        <translation>数值</translation>
    </message>
    <message>
        <source>setCH</source>
        <translation>同步到
所有通道</translation>
    </message>
</context>
</TS>
