<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>cDlgZ3</name>
    <message>
        <source>Preset</source>
        <translation>预设</translation>
    </message>
    <message>
        <source>Pedal</source>
        <translation>表情踏板</translation>
    </message>
    <message>
        <source>Bluetooth Host</source>
        <translation>蓝牙Host</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Model1 (PC Code)</source>
        <translation>模式1（PC码）</translation>
    </message>
    <message>
        <source>Model2 (CC Code)</source>
        <translation>模式2（CC码）</translation>
    </message>
    <message>
        <source>Customize1 (CC Code)</source>
        <translation>自定义模式1</translation>
    </message>
    <message>
        <source>Customize2</source>
        <translation>自定义模式2</translation>
    </message>
    <message>
        <source>DIsplay Screen</source>
        <translation>显示屏</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Preset2_text&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>A到D踩钉用于发送PC码,
E和F组合踩钉为切换组,共128个音色</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Preset3_text&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>A到D踩钉用于发送CC码,
E和F组合踩钉为切换组,共128个音色</translation>
    </message>
    <message>
        <source>Max tone color</source>
        <translation>最大音色</translation>
    </message>
    <message>
        <source>Switch A</source>
        <translation>踩钉A</translation>
    </message>
    <message>
        <source>Switch B</source>
        <translation>踩钉B</translation>
    </message>
    <message>
        <source>Switch C</source>
        <translation>踩钉C</translation>
    </message>
    <message>
        <source>Switch D</source>
        <translation>踩钉D</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Data1</source>
        <translation>数据1</translation>
    </message>
    <message>
        <source>Latch</source>
        <translation>锁定</translation>
    </message>
    <message>
        <source>Momentary</source>
        <translation>瞬时</translation>
    </message>
    <message>
        <source>Current Group</source>
        <translation>当前组</translation>
    </message>
    <message>
        <source>Group Count</source>
        <translation>总组数</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>踩下</translation>
    </message>
    <message>
        <source>Down(Toggle)</source>
        <translation>切换</translation>
    </message>
    <message>
        <source>Down+Up</source>
        <translation>踩下+抬起</translation>
    </message>
    <message>
        <source>Long</source>
        <translation>长踩</translation>
    </message>
    <message>
        <source>Up+Long</source>
        <translation>抬起+长踩</translation>
    </message>
    <message>
        <source>Group1</source>
        <translation>第一组</translation>
    </message>
    <message>
        <source>Group2</source>
        <translation>第二组</translation>
    </message>
    <message>
        <source>label_down</source>
        <translation>踩下</translation>
    </message>
    <message>
        <source>label_up</source>
        <translation>抬起</translation>
    </message>
    <message>
        <source>label_long</source>
        <translation>长踩</translation>
    </message>
    <message>
        <source>Connect any Bluetooth MIDI device</source>
        <translation>连接任何蓝牙MIDI设备</translation>
    </message>
    <message>
        <source>Connect specified Bluetooth MIDI device</source>
        <translation>连接指定蓝牙MIDI设备</translation>
    </message>
    <message>
        <source>Not connected to Bluetooth MIDI device</source>
        <translation>不连接蓝牙MIDI设备</translation>
    </message>
    <message>
        <source>Explain</source>
        <translation>解释</translation>
    </message>
    <message>
        <source>Explain1</source>
        <translation>模式1用于主动连接最近的蓝牙MIDI设备。
请关闭不必要的蓝牙MIDI设备，以防止误连接。</translation>
    </message>
    <message>
        <source>Explain2</source>
        <translation>模式2用于连接指定名称的蓝牙MIDI设备。
点击扫描，选择您想要连接的蓝牙名称，最后点击连接。</translation>
    </message>
    <message>
        <source>Explain3</source>
        <translation>模式3关闭主动连接蓝牙MIDI设备功能，只能被动连接。</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>扫描</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Forward the received data</source>
        <translation>级联模式</translation>
    </message>
    <message>
        <source>BtExplain</source>
        <translation>启用后，蓝牙接收到的数据会被转发给下一个设备，实现多设备级联。</translation>
    </message>
    <message>
        <source>Receive data...</source>
        <translation>正在接收数据...</translation>
    </message>
    <message>
        <source> Connected</source>
        <translation> 已连接</translation>
    </message>
    <message>
        <source>Data error,Please reconnect...</source>
        <translation>数据错误，请重新连接...</translation>
    </message>
    <message>
        <source>Bluetooth connection successful...</source>
        <translation>蓝牙连接成功...</translation>
    </message>
    <message>
        <source>Connected MIDI device: </source>
        <translation>已连接MIDI设备：</translation>
    </message>
    <message>
        <source>Switching modes will disconnect the current Bluetooth connection. Do you want to switch?</source>
        <translation>切换模式将断开当前的蓝牙连接，是否切换？</translation>
    </message>
    <message>
        <source>The Bluetooth name is too long. Please switch to the Host mode.</source>
        <translation>蓝牙名称过长，请切换到Host模式2。</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>remove_all</source>
        <translation>删除全部</translation>
    </message>
    <message>
        <source>reset</source>
        <translation>恢复出厂设置</translation>
    </message>
    <message>
        <source>Up to 16 MIDI codes can be stored.</source>
        <translation>最多可存储16条MIDI码。</translation>
    </message>
    <message>
        <source>The memory pool has reached its limit. Delete some of the SysEx message and then re-add it.</source>
        <translation>内存池已达上限，请删除一些SysEx消息，重新添加。</translation>
    </message>
    <message>
        <source>INI Data Err!</source>
        <translation>ini文件数据错误！</translation>
    </message>
    <message>
        <source>File write failed.</source>
        <translation>文件写入失败。</translation>
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
        <source>File Error!</source>
        <translation>文件错误！</translation>
    </message>
    <message>
        <source>Configuration file error!</source>
        <translation>配置文件错误！</translation>
    </message>
</context>
<context>
    <name>cPedal</name>
    <message>
        <source>Pedal Setting</source>
        <translation>MIDI踏板设置</translation>
    </message>
    <message>
        <source>Pedal (CC Code)</source>
        <translation>踏板（CC码）</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Data1</source>
        <translation>数据1</translation>
    </message>
    <message>
        <source>Data2</source>
        <translation>数据2</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>从</translation>
    </message>
    <message>
        <source>From</source>
        <translation>从</translation>
    </message>
    <message>
        <source>to</source>
        <translation>到</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>cValueKey</name>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>通道</translation>
    </message>
    <message>
        <source>Data1</source>
        <translation>数据1</translation>
    </message>
    <message>
        <source>Data2</source>
        <translation>数据2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Please provide valid data.</source>
        <translation>请输入有效数据。</translation>
    </message>
    <message>
        <source>The format of the Sysex message is incorrect.</source>
        <translation>Sysex消息格式错误。</translation>
    </message>
    <message>
        <source>The length of the Sysex message exceeds 64.</source>
        <translation>Sysex消息长度超过64。</translation>
    </message>
</context>
<context>
    <name>cDlgLoadINI</name>
    <message>
        <source>Dialog</source>
        <translation>对话框</translation>
    </message>
    <message>
        <source>新建列</source>
        <translation>新建列</translation>
    </message>
</context>
</TS>
