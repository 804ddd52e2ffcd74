<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CDlgVX18</name>
    <message>
        <source> Connected</source>
        <translation> Connected</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 hour</translation>
    </message>
    <message>
        <source>1/16</source>
        <translation>1/16</translation>
    </message>
    <message>
        <source>1/16T</source>
        <translation>1/16T</translation>
    </message>
    <message>
        <source>1/32</source>
        <translation>1/32</translation>
    </message>
    <message>
        <source>1/32T</source>
        <translation>1/32T</translation>
    </message>
    <message>
        <source>1/4</source>
        <translation>1/4</translation>
    </message>
    <message>
        <source>1/4T</source>
        <translation>1/4T</translation>
    </message>
    <message>
        <source>1/8</source>
        <translation>1/8</translation>
    </message>
    <message>
        <source>1/8T</source>
        <translation>1/8T</translation>
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
        <source>50% OFF</source>
        <translation>50% OFF</translation>
    </message>
    <message>
        <source>7th</source>
        <translation>7th</translation>
    </message>
    <message>
        <source>9th</source>
        <translation>9th</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>A#</source>
        <translation>A#</translation>
    </message>
    <message>
        <source>ARP
Octave</source>
        <translation>ARP
Octave</translation>
    </message>
    <message>
        <source>ARP Latch</source>
        <translation>ARP Latch</translation>
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
Delay</translation>
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
        <source>Arp
Mode</source>
        <translation>Arp
Mode</translation>
    </message>
    <message>
        <source>Auto standby</source>
        <translation>Auto standby</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
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
        <source>C</source>
        <translation>C</translation>
    </message>
    <message>
        <source>C#</source>
        <translation>C#</translation>
    </message>
    <message>
        <source>CC Toggle
CH:%1
data1:%2
value:%3 or %4</source>
        <translation>CC Toggle
CH:%1
data1:%2
value:%3 or %4</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Chord
Type</source>
        <translation>Chord
Type</translation>
    </message>
    <message>
        <source>Chord / Scale / ARP</source>
        <translation>Chord / Scale / ARP</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Configuration file error!</source>
        <translation>Configuration file error!</translation>
    </message>
    <message>
        <source>Controls</source>
        <translation>Controls</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>Customize</translation>
    </message>
    <message>
        <source>D</source>
        <translation>D</translation>
    </message>
    <message>
        <source>D#</source>
        <translation>D#</translation>
    </message>
    <message>
        <source>DAW SYNC
(Ext Clock)</source>
        <translation>DAW SYNC
(Ext Clock)</translation>
    </message>
    <message>
        <source>DIV</source>
        <translation>DIV</translation>
    </message>
    <message>
        <source>Dark
Mode</source>
        <translation>Dark
Mode</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
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
        <source>Down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E</translation>
    </message>
    <message>
        <source>ECO
Mode</source>
        <translation>ECO
Mode</translation>
    </message>
    <message>
        <source>Excl</source>
        <translation>Excl</translation>
    </message>
    <message>
        <source>F</source>
        <translation>F</translation>
    </message>
    <message>
        <source>F#</source>
        <translation>F#</translation>
    </message>
    <message>
        <source>Factory data reset</source>
        <translation>Factory data reset</translation>
    </message>
    <message>
        <source>Fail to save!</source>
        <translation>Fail to save!</translation>
    </message>
    <message>
        <source>File Error!</source>
        <translation>File Error!</translation>
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
        <source>G</source>
        <translation>G</translation>
    </message>
    <message>
        <source>G#</source>
        <translation>G#</translation>
    </message>
    <message>
        <source>GATE</source>
        <translation>GATE</translation>
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
        <source>Ignore the actual pressure and send a fixed value.</source>
        <translation>Ignore the actual pressure and send a fixed value.</translation>
    </message>
    <message>
        <source>Incl</source>
        <translation>Incl</translation>
    </message>
    <message>
        <source>KNOB BANK</source>
        <translation>KNOB BANK</translation>
    </message>
    <message>
        <source>KeyCurv</source>
        <translation>KeyCurv</translation>
    </message>
    <message>
        <source>LATCH</source>
        <translation>LATCH</translation>
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
        <source>MODE</source>
        <translation>MODE</translation>
    </message>
    <message>
        <source>Major</source>
        <translation>Major</translation>
    </message>
    <message>
        <source>Minor</source>
        <translation>Minor</translation>
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
data1:%2
range:%3-%4</translation>
    </message>
    <message>
        <source>OCT</source>
        <translation>OCT</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>PAD BANK</source>
        <translation>PAD BANK</translation>
    </message>
    <message>
        <source>PAD1</source>
        <translation>PAD1</translation>
    </message>
    <message>
        <source>PAD2</source>
        <translation>PAD2</translation>
    </message>
    <message>
        <source>PAD3</source>
        <translation>PAD3</translation>
    </message>
    <message>
        <source>PAD4</source>
        <translation>PAD4</translation>
    </message>
    <message>
        <source>PAD5</source>
        <translation>PAD5</translation>
    </message>
    <message>
        <source>PAD6</source>
        <translation>PAD6</translation>
    </message>
    <message>
        <source>PAD7</source>
        <translation>PAD7</translation>
    </message>
    <message>
        <source>PAD8</source>
        <translation>PAD8</translation>
    </message>
    <message>
        <source>PC
CH:%1
MSB:%2
LSB:%3
Program:%4</source>
        <translation>PC
CH:%1
MSB:%2
LSB:%3
Program:%4</translation>
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
        <source>PadCurv</source>
        <translation>PadCurv</translation>
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
        <source>Preset save defeated</source>
        <translation>Preset save defeated</translation>
    </message>
    <message>
        <source>Preset save successful</source>
        <translation>Preset save successful</translation>
    </message>
    <message>
        <source>Random</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Repeat</translation>
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
        <source>SWING</source>
        <translation>SWING</translation>
    </message>
    <message>
        <source>Same as pad color</source>
        <translation>Same as pad color</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
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
        <source>Save successful</source>
        <translation>Save successful</translation>
    </message>
    <message>
        <source>Save the data to the device?</source>
        <translation>Save the data to the device?</translation>
    </message>
    <message>
        <source>Save to device</source>
        <translation>Save to device</translation>
    </message>
    <message>
        <source>Scale
Root</source>
        <translation>Scale
Root</translation>
    </message>
    <message>
        <source>Scale
Type</source>
        <translation>Scale
Type</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Slide
Pedal</source>
        <translation>Slide
Pedal</translation>
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
        <source>TEMPO</source>
        <translation>TEMPO</translation>
    </message>
    <message>
        <source>Tempo</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>The number of illuminated PADs at startup indicates the battery level.</source>
        <translation>The number of illuminated PADs at startup indicates the battery level.</translation>
    </message>
    <message>
        <source>The pause button flashes when the battery is low</source>
        <translation>The pause button flashes when the battery is low</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Tips</translation>
    </message>
    <message>
        <source>Triad</source>
        <translation>Triad</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>White</source>
        <translation>White</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>XPOSE</source>
        <translation>XPOSE</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>bin</source>
        <translation>bin</translation>
    </message>
    <message>
        <source>momentary
CH:%1
data1:%2
Down:%3
Up:%4</source>
        <translation>momentary
CH:%1
data1:%2
Down:%3
Up:%4</translation>
    </message>
</context>
<context>
    <name>CVX18Child</name>
    <message>
        <source>Advanced options for the pedal</source>
        <translation>Advanced options</translation>
    </message>
    <message>
        <source>Bank LSB</source>
        <translation>Bank LSB</translation>
    </message>
    <message>
        <source>Bank MSB</source>
        <translation>Bank MSB</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Button</translation>
    </message>
    <message>
        <source>CC</source>
        <translation>CC</translation>
    </message>
    <message>
        <source>CC Momentary</source>
        <translation>CC Momentary</translation>
    </message>
    <message>
        <source>CC Name</source>
        <translation>CC Name</translation>
    </message>
    <message>
        <source>CC Toggle</source>
        <translation>CC Toggle</translation>
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
        <source>Channel Pressure</source>
        <translation>Channel Pressure</translation>
    </message>
    <message>
        <source>Color </source>
        <translation>Color </translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>Customize</translation>
    </message>
    <message>
        <source>Data1</source>
        <translation>Data1</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Expression</source>
        <translation>Expression</translation>
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
        <source>KeyBed</source>
        <translation>KeyBed</translation>
    </message>
    <message>
        <source>Keybed Channel</source>
        <translation>Keybed Channel</translation>
    </message>
    <message>
        <source>Keybed Setting </source>
        <translation>Keybed Setting </translation>
    </message>
    <message>
        <source>Knob</source>
        <translation>Knob</translation>
    </message>
    <message>
        <source>Left / Right</source>
        <translation>Left / Right</translation>
    </message>
    <message>
        <source>Long</source>
        <translation>Long</translation>
    </message>
    <message>
        <source>MAX</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>MCP-Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>MCP-Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>MIN</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>MODULATION</source>
        <translation>MODULATION</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Max-Vel</source>
        <translation>Max-Vel</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Min-Vel</source>
        <translation>Min-Vel</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
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
        <source>Octave</source>
        <translation>Octave</translation>
    </message>
    <message>
        <source>PEDAL</source>
        <translation>PEDAL</translation>
    </message>
    <message>
        <source>PITCH BEND</source>
        <translation>PITCH BEND</translation>
    </message>
    <message>
        <source>Pad</source>
        <translation>Pad</translation>
    </message>
    <message>
        <source>Press</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Program Change</source>
        <translation>PC</translation>
    </message>
    <message>
        <source>Relative</source>
        <translation>Relative</translation>
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
        <source>Setting</source>
        <translation>Setting</translation>
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
        <source>Slide/Pedal Setting </source>
        <translation>Slide/Pedal Setting </translation>
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
        <source>Sustain</source>
        <translation>Sustain</translation>
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
        <source>The minimum value cannot be greater than the maximum value.</source>
        <translation>The minimum value cannot be greater than the maximum value.</translation>
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
        <source>Transpose</source>
        <translation>Transpose</translation>
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
