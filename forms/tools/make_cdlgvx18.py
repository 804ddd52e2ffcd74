#!/usr/bin/env python3
"""Writes forms/cdlgvx18.ui, the keyboard page's form.

Run from anywhere: python3 forms/tools/make_cdlgvx18.py. The form is generated
because most of it is rows of like pairs (label and control); edit this script,
not the .ui file.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uixml import (boolean, centred, document, enum, font, icon, layout, margins, number, pretty, prop,
                   rect, reset_spacers, setv, size, spacer, style, text, widget)

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'cdlgvx18.ui')

PAGE_SHEET = """QWidget#CDlgVX18 {
    background-color: #000;
}
QComboBox {
    background-color: rgba(255, 161, 0, 0.05);
    color: rgba(255,255,255,0.8);
    border: 1.5px solid #FFA100;
    border-radius: 8px;
    padding: 5px 5px;
    font-size: 14px;
    font-family: "Arial";
}
QComboBox::drop-down {
    subcontrol-origin: padding;
    subcontrol-position: center right;
    width: 25px;
    border: none;
    border-left: 1px solid rgba(255, 161, 0, 0.7);
}
QComboBox::down-arrow {
    image: url(:/new/pshare/res/pull_down_white.png);
    width: 12px;
    height: 10px;
}
QLabel {
    color: rgba(255,255,255,0.8);
    font-size: 14px;
    font-family: "Arial";
}
QGroupBox {
    border: 1.5px solid #FFA100;
    border-radius: 8px;
    margin-top: 10px;
    font-size: 14px;
    font-family: "Arial";
    padding-top: 10px;
    color: #FFEB3B;
    background-color: #000;
}
QGroupBox::title {
    subcontrol-origin: margin;
    subcontrol-position: top left;
    left: 15px;
    padding: 0 8px 0 8px;
    color: #FFA100;
    background-color: black;
}"""

SAVE_SHEET = """QPushButton {
    background-color: transparent;
    border: 2px solid #FFA100;
    padding: 5px 15px;
    border-radius: 10px;
    color: white;
}"""

TRANSPARENT = "QPushButton {\n    background-color: transparent;\n}"


def page_button_sheet(left):
    near, far = ('left', 'right') if left else ('right', 'left')
    pressed = ("QPushButton:pressed {\n    background-color: rgba(255, 161, 0, 0.5);\n"
               "    padding-top: 9px;\n    padding-bottom: 7px;\n}" if left else
               "QPushButton:pressed {\n    background-color: rgba(255, 161, 0, 0.5);\n}")
    return """QPushButton {
    background-color: rgba(255, 161, 0, 0.1);
    border: 1.5px solid #FFA100;
    border-top-%(n)s-radius: 15px;
    border-bottom-%(n)s-radius: 15px;
    border-top-%(f)s-radius: 0px;
    border-bottom-%(f)s-radius: 0px;
    padding: 8px 10px;
    color: #FFA100;
    font-size: 14px;
    font-weight: bold;
    font-family: "Arial";
}
QPushButton:hover {
    background-color: rgba(255, 161, 0, 0.3);
    border-color: #FFB833;
    color: #FFB833;
}
%(p)s
QPushButton:checked {
    background-color: #FFA100;
    color: #1a1a1a;
    border-color: #FFA100;
}
QPushButton:checked:hover {
    background-color: #FFB833;
    border-color: #FFB833;
    color: #1a1a1a;
}
QPushButton:checked:pressed {
    background-color: rgba(255, 161, 0, 0.8);
}""" % {'n': near, 'f': far, 'p': pressed}


SWITCH_SHEET = """QPushButton {
    border-radius: 4px;
    padding: 5px 10px;
    color: rgb(255, 255, 255);
    background-color: rgb(100, 100, 100);
}
QPushButton::checked {
    border-radius: 4px;
    padding: 5px 10px;
    color: rgb(0, 0, 0);
    border-image: url(:/new/pshare/res/check_green.png);
}"""

PITCH_SHEET = """QPushButton {
    background-color: rgb(240,240,240);
    border: 4px solid rgba(255,161,00,0.7);
    border-radius: 16px;
    color: black;
    font-family: 'Arial';
    font-size: 14px;
}"""

KNOB_SHEET = "color: #ffa100;\nfont-weight: bold;\nborder-image: url(:/new/RZM/res/knob.png);"

LIST_SHEET = """QListWidget {
    background-color: black;
    font-family: Arial;
    border-radius: 15px;
    border: 1.5px solid #FFA100;
    padding-top: 3px;
    color: white;
    padding-left: 15px;
    font-size: 18px;
    outline: 0px;
}
QListWidget::item:hover {
    background-color: rgb(85, 85, 85);
    color: #FFA100;
}
QListWidget QScrollBar:vertical {
    border: none;
    background: rgb(40, 40, 40);
    width: 12px;
    margin: 0px;
    border-radius: 6px;
}
QListWidget QScrollBar:horizontal {
    border: none;
    background: rgb(40, 40, 40);
    height: 12px;
    margin: 0px;
    border-radius: 6px;
}
QListWidget QScrollBar::handle:vertical {
    background: rgb(100, 100, 100);
    min-height: 20px;
    border-radius: 6px;
}
QListWidget QScrollBar::handle:horizontal {
    background: rgb(100, 100, 100);
    min-width: 20px;
    border-radius: 6px;
}
QListWidget QScrollBar::handle:vertical:hover {
    background: rgb(120, 120, 120);
}
QListWidget QScrollBar::handle:horizontal:hover {
    background: rgb(120, 120, 120);
}
QListWidget QScrollBar::add-line:vertical, QListWidget QScrollBar::sub-line:vertical {
    height: 0px;
}
QListWidget QScrollBar::add-line:horizontal, QListWidget QScrollBar::sub-line:horizontal {
    width: 0px;
}
QListWidget QScrollBar::add-page:vertical, QListWidget QScrollBar::sub-page:vertical {
    background: none;
}
QListWidget QScrollBar::add-page:horizontal, QListWidget QScrollBar::sub-page:horizontal {
    background: none;
}"""

CLEAR_SHEET = """QPushButton {
    background-color: #05FFA100;
    color: #FFA100;
    border: 1.5px solid #FFA100;
    border-radius: 15px;
    padding: 8px 20px;
    font-size: 14px;
    font-weight: bold;
    font-family: "Arial";
}
QPushButton:hover {
    background-color: #4CFFA100;
    border-color: #FFB833;
    color: #FFB833;
}
QPushButton:pressed {
    background-color: #7FFFA100;
    padding-top: 9px;
    padding-bottom: 7px;
}"""

STACK_SHEET = "QStackedWidget {\n    background: transparent;\n    border: none;\n}\nQStackedWidget > QWidget {\n    background: transparent;\n}"


def combo(name, items, extra=()):
    return widget('TouchComboBox', name, [font()] + list(extra), items=items)


def label(name, caption, extra=()):
    return widget('QLabel', name, [font(), text('text', caption), centred()] + list(extra))


def switch(name, point=10, auto_default=True, tip=None):
    props = [size('minimumSize', 30, 30), size('maximumSize', 30, 30), font(point=point), text('text', '')]
    if tip:
        props.append(text('toolTip', tip))
    if not auto_default:
        props.append(boolean('autoDefault', False))
    return widget('QPushButton', name, props)


def pair(layout_name, lab, control, spacing=None, right=None):
    props = []
    if spacing is not None:
        props.append(number('spacing', spacing))
    margins(props, right=right)
    return layout('QHBoxLayout', layout_name, props, [lab, control])


def toolbar():
    def iconbtn(name, path, tip=None, auto_default=False, extra=()):
        props = [size('minimumSize', 35, 35), size('maximumSize', 35, 35)] + list(extra)
        if tip is not None:
            props.append(text('toolTip', tip))
        props += [style(TRANSPARENT), text('text', ''), icon(path), size('iconSize', 35, 35)]
        if not auto_default:
            props.append(boolean('autoDefault', False))
        return widget('QPushButton', name, props)

    items = [
        spacer(),
        combo('comboBox_Preset', ['Preset %d' % i for i in range(1, 9)],
              [size('minimumSize', 0, 0)]),
        widget('QPushButton', 'pushButton_save',
               [size('minimumSize', 0, 0), size('maximumSize', 140, 16777215), font(point=9),
                text('toolTip', 'Save current preset to device'), style(SAVE_SHEET), text('text', 'Save')]),
        spacer(),
        iconbtn('pushButton_LoadPreset', ':/new/RZM/res/RZ-7/xiazai.png', auto_default=True),
        iconbtn('pushButton_Out', ':/new/RZM/res/RZ-7/baocun.png', 'Save current preset'),
        iconbtn('pushButton_In', ':/new/RZM/res/RZ-7/dakai.png', 'Load preset file'),
        iconbtn('pushButton_threshold', ':/new/RZM/res/RZ-7/lidu.png', 'Pad Calibration', extra=[font(point=9)]),
        iconbtn('pushButton_Reset', ':/new/RZM/res/RZ-7/fuwei.png', 'Revert to factory setting...'),
        iconbtn('pushButton_update', ':/new/RZM/res/RZ-7/shengji.png', 'Firmware upgrade'),
        spacer(),
    ]
    return layout('QHBoxLayout', 'horizontalLayout_14', [number('spacing', 2)], items)


def page_buttons():
    items = [
        spacer(),
        widget('QPushButton', 'pushButton_global', [size('minimumSize', 150, 0), font(bold=True),
                                                   style(page_button_sheet(True)), text('text', 'Global')]),
        widget('QPushButton', 'pushButton_data', [size('minimumSize', 150, 0), font(bold=True),
                                                 style(page_button_sheet(False)), text('text', 'Controls')]),
        spacer(),
        widget('QPushButton', 'pushButton_ConfigData', [size('maximumSize', 1, 1),
                                                       style('background-color: rgb(80, 80, 80);'),
                                                       text('text', 'bin')]),
    ]
    return layout('QHBoxLayout', 'horizontalLayout_13', [number('spacing', 0)], items)


def column(name, pairs):
    items = []
    for i, p in enumerate(pairs):
        if i:
            items.append(spacer(horizontal=False))
        items.append(p)
    return layout('QVBoxLayout', name, [number('spacing', 0)], items)


def global_page():
    n = [0]

    def hl(lab, control, **kw):
        n[0] += 1
        return pair('horizontalLayout_p%d' % n[0], lab, control, **kw)

    row1 = layout('QHBoxLayout', 'horizontalLayout_r1', [number('spacing', 10)], [
        hl(label('label_11', 'ECO\nMode'), switch('pushButton_ECO', auto_default=False), spacing=2, right=30),
        hl(label('label_18', 'Dark\nMode'), switch('pushButton_night', 12, auto_default=False), right=30),
        hl(label('label_8', 'DAW SYNC\n(Ext Clock)'), switch('pushButton_DAW', tip='Sync clock with DAW software'),
           right=30),
    ])
    row2 = layout('QHBoxLayout', 'horizontalLayout_r2', [number('spacing', 10)], [
        hl(label('label_10', 'Splash Show\nBattery'),
           switch('pushButton_battery',
                  tip='The number of illuminated PADs at startup indicates the battery level.'),
           spacing=2, right=30),
        hl(label('label_28', 'BT'), switch('pushButton_BT', auto_default=False, tip='BLE MIDI Switch'), right=30),
        hl(label('label_27', 'Low Battery\nIndicator'),
           switch('pushButton_LowBattery', tip='The pause button flashes when the battery is low'),
           spacing=2, right=30),
    ])
    left = column('verticalLayout_l', [
        hl(label('label_9', 'Auto standby'),
           combo('comboBox_erp', ['Never', '5 min', '15 min', '30 min', '1 hour', '2 hour', '3 hour', '4 hour'])),
        hl(label('label_vel', 'PadCurv'), combo('comboBox_PadCurve', ['1', '2', '3', '4'])),
        hl(label('label_22', 'After\nTouch'), switch('pushButton_AFT_SW', auto_default=False), right=30),
        hl(label('label_full', 'Full\nLevel'),
           switch('pushButton_full', tip='Ignore the actual pressure and send a fixed value.'), right=30),
    ])
    tip = text('toolTip', 'Pad down color in Dark mode')
    right = column('verticalLayout_r', [
        hl(label('label_color2', 'Pad Down\nColor', [tip]),
           combo('comboBox_DownColor', ['White', 'Black', 'Reverse pad color', 'Same as pad color'], [tip])),
        hl(label('label_vel_2', 'KeyCurv'), combo('comboBox_KeyCurve', ['1', '2', '3', '4'])),
        hl(label('label_12', 'After Touch\nDelay'),
           combo('comboBox_delay', [], [number('currentIndex', -1), boolean('acceptDrops', False),
                                        enum('sizeAdjustPolicy', 'QComboBox::AdjustToContentsOnFirstShow')])),
        hl(label('label_13', 'After Touch\nMode'),
           combo('comboBox_AFT_mode', ['An (Aftertouch)', 'Dn (CH Pressure)'], [number('currentIndex', 0)])),
        hl(label('label_19', 'Full Level\nVelocity'), combo('comboBox_full_vel', [])),
    ])
    row3 = layout('QHBoxLayout', 'horizontalLayout_r3', margins([], right=9), [left, right])
    setting = widget('QGroupBox', 'groupBox_2', [text('title', 'Setting')],
                     layout('QVBoxLayout', 'verticalLayout_g2', [], [row1, row2, row3]))

    arp_left = column('verticalLayout_al', [
        hl(label('label_ARPSwitch', 'ARP Latch'), switch('pushButton_ARPSwitch'), right=30),
        hl(label('label_40', 'Chord\nType'), combo('comboBox_Chord', ['Triad', '7th', '9th', 'Random'])),
        hl(label('label_38', 'Scale\nType'), combo('comboBox_ScaleType', ['Major', 'Minor'])),
        hl(label('label_5', 'Division'),
           combo('comboBox_rate', ['1/4', '1/4T', '1/8', '1/8T', '1/16', '1/16T', '1/32', '1/32T'])),
        hl(label('label_gate', 'Gate'), combo('comboBox_gate', [])),
    ])
    arp_right = column('verticalLayout_ar', [
        hl(label('label_36', 'Arp\nMode'),
           combo('comboBox_ArpMode', ['Up', 'Down', 'Incl', 'Excl', 'Random', 'Order', 'Repeat'])),
        hl(label('label_37', 'ARP\nOctave'), combo('comboBox_Octive', ['1', '2', '3', '4'])),
        hl(label('label_39', 'Scale\nRoot'),
           combo('comboBox_ScaleRoot', ['C', 'C#', 'D', 'D#', 'E', 'F', 'F#', 'G', 'G#', 'A', 'A#', 'B'])),
        hl(label('label_7', 'Tempo', [size('maximumSize', 10000, 16777215)]), combo('comboBox_tempo', [])),
        hl(label('label_6', 'Swing'), combo('comboBox_swing', ['50% OFF'] + ['%d%%' % i for i in range(51, 76)])),
    ])
    arp = widget('QGroupBox', 'groupBox', [text('title', 'Chord / Scale / ARP')],
                 layout('QHBoxLayout', 'horizontalLayout_g1', margins([], left=0), [arp_left, arp_right]))
    inner = layout('QVBoxLayout', 'verticalLayout_6', [number('spacing', 10)], [setting, arp])
    return widget('QWidget', 'page_2', [], layout('QVBoxLayout', 'verticalLayout_5', [], [inner]))


def controls_page():
    knob_font = font(point=14, bold=True)

    def knob(n):
        return widget('QPushButton', 'knob_%d' % n, [size('minimumSize', 50, 50), size('maximumSize', 50, 50),
                                                   knob_font, style(KNOB_SHEET), text('text', str(n)),
                                                   boolean('autoDefault', False)])

    def caption(name, t):
        return widget('QLabel', name, [font(), text('toolTip', ''), style('color: rgb(255, 255, 255);'),
                                       text('text', t), centred()])

    cols = [(1, 'label', 'DIV', 5, 'label_4', 'SWING'), (2, 'label_15', 'OCT', 6, 'label_25', 'TEMPO'),
            (3, 'label_16', 'LATCH', 7, 'label_24', 'MODE'), (4, 'label_17', 'GATE', 8, 'label_23', 'XPOSE')]
    knob_items = [spacer(), widget('QPushButton', 'pushButton_pitch',
                                   [size('minimumSize', 60, 160), style(PITCH_SHEET), text('text', 'Slide\nPedal')])]
    for i, (a, la, ca, b, lb, cb) in enumerate(cols):
        if i:
            knob_items.append(spacer())
        props = margins([], top=5, bottom=5, right=10 if i == 3 else None)
        knob_items.append(layout('QVBoxLayout', 'verticalLayout_k%d' % (i + 1), props,
                                 [knob(a), caption(la, ca), knob(b), caption(lb, cb)]))
    knob_row = layout('QHBoxLayout', 'horizontalLayout_knobs', [number('spacing', 6)], knob_items)

    bank_row = layout('QHBoxLayout', 'horizontalLayout_banks', [], [
        spacer(), widget('QLabel', 'label_3', [text('text', 'KNOB BANK')]),
        widget('TouchComboBox', 'comboBox_KnobBank', [size('minimumSize', 60, 0)], items=['1', '2', '3', '4']),
        spacer(), widget('QLabel', 'label_20', [text('text', 'PAD BANK')]),
        widget('TouchComboBox', 'comboBox_PadBank', [size('minimumSize', 60, 0)], items=['1', '2', '3', '4']),
        spacer()])

    def key(n, path, extra=()):
        return widget('QPushButton', 'key_%d' % n, [size('maximumSize', 51, 36)] + list(extra) +
                      [style(TRANSPARENT), text('text', ''), icon(path), size('iconSize', 51, 36)])
    transport = layout('QHBoxLayout', 'horizontalLayout_keys', [], [
        spacer(), key(1, ':/new/RZM/res/stop2.png'),
        spacer(), key(2, ':/new/pshare/res/stop.png', [font(point=12, bold=False), text('toolTip', '')]),
        spacer(), key(3, ':/new/RZM/res/record2.png'),
        spacer(), key(4, ':/new/pshare/res/bt.png')])

    def pad(n):
        return widget('QPushButton', 'pad%d' % n, [size('minimumSize', 60, 100), font(point=10),
                                                 style(''), text('text', 'PAD%d' % n), boolean('autoDefault', False)])
    grid_items = []
    for col, n in enumerate((5, 6, 7, 8)):
        grid_items.append((pad(n), ' row="0" column="%d"' % col))
    for col, n in enumerate((1, 2, 3, 4)):
        grid_items.append((pad(n), ' row="1" column="%d"' % col))
    grid = layout('QGridLayout', 'gridLayout', margins([number('horizontalSpacing', 4), number('verticalSpacing', 2)],
                                                      top=10, bottom=10), grid_items)
    keybed = widget('QPushButton', 'pushButton_keybed',
                    [size('minimumSize', 0, 70), style('QPushButton {\n    border-image: url(:/new/RZM/res/Keybed.png);\n}'),
                     text('text', ''), boolean('autoRepeat', False)])
    inner = layout('QVBoxLayout', 'verticalLayout_7', [number('spacing', 6)], [
        spacer(False), knob_row, spacer(False), bank_row, spacer(False), transport, grid, spacer(False), keybed,
        spacer(False)], stretch='0,3,0,0,0,0,5,0,2,0')
    return widget('QWidget', 'page_3', [size('minimumSize', 0, 30)],
                  layout('QVBoxLayout', 'verticalLayout_4', [], [inner]))


def monitor():
    clear_row = layout('QHBoxLayout', 'horizontalLayout_clear', [], [
        spacer(), widget('QPushButton', 'pushButton_DelText',
                         [size('minimumSize', 60, 33), size('maximumSize', 70, 16777215), font(bold=True),
                          style(CLEAR_SHEET), text('text', 'X')]), spacer()])
    lay = layout('QVBoxLayout', 'verticalLayout_mon', margins([number('spacing', 4)], left=0, top=0, right=15), [
        widget('QListWidget', 'listWidget_show', [size('minimumSize', 250, 0), font(), style(LIST_SHEET)]),
        clear_row])
    return widget('QWidget', 'widget', [], lay)


def main():
    reset_spacers()
    stack = widget('QStackedWidget', 'stackedWidget', [style(STACK_SHEET), number('currentIndex', 0)],
                   global_page() + controls_page())
    left = layout('QVBoxLayout', 'verticalLayout_8', [number('spacing', 5)], [toolbar(), page_buttons(), stack])
    outer = layout('QHBoxLayout', 'horizontalLayout_32',
                   margins([], left=0, top=25, right=0, bottom=15),
                   [left, monitor()], stretch='3,1')
    top = widget('QDialog', 'CDlgVX18', [rect(756, 882), text('windowTitle', 'Dialog'), style(PAGE_SHEET)], outer)
    xml = document('CDlgVX18', top, qrc=('../resources/pad.qrc', '../resources/keyboard.qrc'))
    with open(OUT, 'w', encoding='utf-8') as f:
        f.write(pretty(xml))


if __name__ == '__main__':
    main()
