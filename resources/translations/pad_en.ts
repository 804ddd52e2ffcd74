<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CRZM7</name>
    <message>
        <source> Connected</source>
        <translation> Connected</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 hour</translation>
    </message>
    <message>
        <source>15 min</source>
        <translation>15 min</translation>
    </message>
    <message>
        <source>2 hour</source>
        <translation>2 hour</translation>
    </message>
    <message>
        <source>3 hour</source>
        <translation>3 hour</translation>
    </message>
    <message>
        <source>30 min</source>
        <translation>30 min</translation>
    </message>
    <message>
        <source>4 hour</source>
        <translation>4 hour</translation>
    </message>
    <message>
        <source>5 min</source>
        <translation>5 min</translation>
    </message>
    <message>
        <source>50%(off)</source>
        <translation>50%(off)</translation>
    </message>
    <message>
        <source>After
Touch</source>
        <translation>After
Touch</translation>
    </message>
    <message>
        <source>After Touch
Delay</source>
        <translation>After Touch
Delay(ms)</translation>
    </message>
    <message>
        <source>After Touch
Mode</source>
        <translation>After Touch
Mode</translation>
    </message>
    <message>
        <source>An (Aftertouch)</source>
        <translation>An (Aftertouch)</translation>
    </message>
    <message>
        <source>Auto standby</source>
        <translation>Auto
standby</translation>
    </message>
    <message>
        <source>BLE MIDI Switch</source>
        <translation>BLE MIDI Switch</translation>
    </message>
    <message>
        <source>BT</source>
        <translation>BT</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>CC Toggle
CH:%1
data1:%2
value:%3 or %4</source>
        <translation>CC Toggle
CH:%1
CC:%2
Value:%3/%4</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>Customize</translation>
    </message>
    <message>
        <source>DAW SYNC
(Ext Clock)</source>
        <translation>DAW SYNC
(Ext Clock)</translation>
    </message>
    <message>
        <source>Dark
Mode</source>
        <translation>Dark
Mode</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Division</translation>
    </message>
    <message>
        <source>Dn (CH Pressure)</source>
        <translation>Dn (CH Pressure)</translation>
    </message>
    <message>
        <source>ECO
Mode</source>
        <translation>ECO
Mode</translation>
    </message>
    <message>
        <source>Enter the preset save name:</source>
        <translation>Enter the preset save name:</translation>
    </message>
    <message>
        <source>Factory data reset</source>
        <translation>Are you sure you want to reset to factory settings? Resetting to factory settings will return all settings to their original factory state!</translation>
    </message>
    <message>
        <source>Fail to save!</source>
        <translation>Fail to save!</translation>
    </message>
    <message>
        <source>Firmware upgrade</source>
        <translation>Firmware upgrade</translation>
    </message>
    <message>
        <source>Full
Level</source>
        <translation>Full
Level</translation>
    </message>
    <message>
        <source>Full Level
Velocity</source>
        <translation>Full Level
Velocity</translation>
    </message>
    <message>
        <source>Gate</source>
        <translation>Gate</translation>
    </message>
    <message>
        <source>Global</source>
        <translation>Global</translation>
    </message>
    <message>
        <source>Knob Bank</source>
        <translation>Knob Bank</translation>
    </message>
    <message>
        <source>Knob/Button</source>
        <translation>Knob/Button</translation>
    </message>
    <message>
        <source>Latch</source>
        <translation>Latch</translation>
    </message>
    <message>
        <source>Load preset file</source>
        <translation>Load preset file</translation>
    </message>
    <message>
        <source>Low Battery
Indicator</source>
        <translation>Low Battery
Indicator</translation>
    </message>
    <message>
        <source>Momentary</source>
        <translation>Momentary</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Never</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Note
CH:%1
data1:%2
range:%3-%4</source>
        <translation>Note
CH:%1
Note:%2
Vel:%3-%4</translation>
    </message>
    <message>
        <source>Note Repeat
Mode</source>
        <translation>Note Repeat
Button Mode</translation>
    </message>
    <message>
        <source>PC
CH:%1
MSB:%2
LSB:%3
Program:%4</source>
        <translation>Program
CH:%1
MSB:%2
LSB:%3
Program:%4</translation>
    </message>
    <message>
        <source>Pad</source>
        <translation>Pad</translation>
    </message>
    <message>
        <source>Pad Bank</source>
        <translation>Pad Bank</translation>
    </message>
    <message>
        <source>Pad Calibration</source>
        <translation>Pad Calibration</translation>
    </message>
    <message>
        <source>Pad Down
Color</source>
        <translation>Pad Down
Color</translation>
    </message>
    <message>
        <source>Pad down color in Dark mode</source>
        <translation>Pad down color in Dark mode</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>Preset 1</source>
        <translation>Preset 1</translation>
    </message>
    <message>
        <source>Preset 2</source>
        <translation>Preset 2</translation>
    </message>
    <message>
        <source>Preset 3</source>
        <translation>Preset 3</translation>
    </message>
    <message>
        <source>Preset 4</source>
        <translation>Preset 4</translation>
    </message>
    <message>
        <source>Preset 5</source>
        <translation>Preset 5</translation>
    </message>
    <message>
        <source>Preset 6</source>
        <translation>Preset 6</translation>
    </message>
    <message>
        <source>Preset 7</source>
        <translation>Preset 7</translation>
    </message>
    <message>
        <source>Preset 8</source>
        <translation>Preset 8</translation>
    </message>
    <message>
        <source>Configuration file error!</source>
        <translation>Configuration file error!</translation>
    </message>
    <message>
        <source>Preset save defeated</source>
        <translation>Preset save defeated</translation>
    </message>
    <message>
        <source>Preset save successful</source>
        <translation>Preset save successful</translation>
    </message>
    <message>
        <source>Receive data...</source>
        <translation>Load data...</translation>
    </message>
    <message>
        <source>Restore factory data successful</source>
        <translation>Restore factory data successful</translation>
    </message>
    <message>
        <source>Restore to factory defaults failed</source>
        <translation>Restore to factory defaults failed</translation>
    </message>
    <message>
        <source>Reverse pad color</source>
        <translation>Reverse pad color</translation>
    </message>
    <message>
        <source>Revert to factory setting...</source>
        <translation>Revert to factory setting...</translation>
    </message>
    <message>
        <source>Same as pad color</source>
        <translation>Same as pad color</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save to
device</translation>
    </message>
    <message>
        <source>Save current preset</source>
        <translation>Save current preset</translation>
    </message>
    <message>
        <source>Save current preset to device</source>
        <translation>Save current preset to device</translation>
    </message>
    <message>
        <source>Save locally</source>
        <translation>Locally Save</translation>
    </message>
    <message>
        <source>Save successful</source>
        <translation>Save successful</translation>
    </message>
    <message>
        <source>Save the data to the device?</source>
        <translation>The current preset has been modified. Do you want to save the changes to the device?</translation>
    </message>
    <message>
        <source>Save to device</source>
        <translation>Save to device</translation>
    </message>
    <message>
        <source>Set all pads to this color?</source>
        <translation>Set all pads to this color?</translation>
    </message>
    <message>
        <source>Splash Show
Battery</source>
        <translation>Splash Show
Battery</translation>
    </message>
    <message>
        <source>Swing</source>
        <translation>Swing</translation>
    </message>
    <message>
        <source>Sync clock with DAW software</source>
        <translation>Sync clock with DAW software</translation>
    </message>
    <message>
        <source>Tempo</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>The pause button flashes when the battery is low</source>
        <translation>When check,Stop button will flash when the battery is low</translation>
    </message>
    <message>
        <source>The startup indicator lights show the battery level. Red indicates low battery, while green indicates high battery.</source>
        <translation>When checked, the RGB lights will display the battery level during power-on.
Red indicates low battery,green indicates high battery.</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>To All
Pad</source>
        <translation>To All
Pad</translation>
    </message>
    <message>
        <source>Trigger mode of the 'Note Repeat' key</source>
        <translation>Trigger mode of the 'Note Repeat' key</translation>
    </message>
    <message>
        <source>Vel-Curve</source>
        <translation>Vel-Curve</translation>
    </message>
    <message>
        <source>White</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>YES</translation>
    </message>
    <message>
        <source>momentary
CH:%1
data1:%2
Down:%3
Up:%4</source>
        <translation>Momentary
CH:%1
CC:%2
Down:%3
Up:%4</translation>
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
        <translation>CC Name</translation>
    </message>
    <message>
        <source>CW</source>
        <translation>CW</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Color </source>
        <translation>Color </translation>
    </message>
    <message>
        <source>Data1</source>
        <translation>Data1</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation></translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>Fastest</source>
        <translation>Fastest</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Long</source>
        <translation>Long</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Set %1 according to the pad order?</source>
        <translation>Set %1 according to the pad order?</translation>
    </message>
    <message>
        <source>Set All</source>
        <translation>Set All</translation>
    </message>
    <message>
        <source>Set all channels?</source>
        <translation>To all channels?</translation>
    </message>
    <message>
        <source>Set all color?</source>
        <translation>Set the colors of all pads?</translation>
    </message>
    <message>
        <source>Setting Button </source>
        <translation>Setting Button </translation>
    </message>
    <message>
        <source>Setting Knob </source>
        <translation>Setting Knob </translation>
    </message>
    <message>
        <source>Setting Pad </source>
        <translation>Setting Pad </translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Slow</translation>
    </message>
    <message>
        <source>Slowest</source>
        <translation>Slowest</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Sysex data maximum length is 40</source>
        <translation>Customize data maximum length is 40</translation>
    </message>
    <message>
        <source>The SysEx data has reached its maximum capacity of %1 bytes.</source>
        <translation>The customize data has reached its maximum capacity of %1 bytes.</translation>
    </message>
    <message>
        <source>The SysEx message format is err</source>
        <translation>The customize message format is err</translation>
    </message>
    <message>
        <source>The maximum value and the minimum value cannot be equal.</source>
        <translation>The maximum value and the minimum value cannot be equal.</translation>
    </message>
    <message>
        <source>To all
Button</source>
        <translation>To all
Button</translation>
    </message>
    <message>
        <source>To all
knob</source>
        <translation>To all
knob</translation>
    </message>
    <message>
        <source>To all
pad</source>
        <translation>To All
Pad</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Value1</source>
        <translation>Value1</translation>
    </message>
    <message>
        <source>Value2</source>
        <translation>Value2</translation>
    </message>
    <message>
        <source>data2</source>
        <translation>data2</translation>
    </message>
    <message>
        <source>setCH</source>
        <translation>to all
channel</translation>
    </message>
</context>
</TS>
