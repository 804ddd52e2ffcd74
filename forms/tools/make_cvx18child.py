#!/usr/bin/env python3
"""Writes forms/cvx18child.ui, the keyboard's per-control dialog form.

Run from anywhere: python3 forms/tools/make_cvx18child.py. The 25 key cells and
the number rows are generated; edit this script, not the .ui file.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uixml import (boolean, centred, document, enum, font, layout, margins, number, pretty, rect,
                   reset_spacers, size, sizepolicy, spacer, style, text, widget)

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'cvx18child.ui')

WINDOW_SHEET = """QWidget#CVX18Child {
    background: black;
}
QComboBox {
    background-color: rgba(255, 161, 0, 0.05);
    color: white;
    border: 1.5px solid #FFA100;
    border-radius: 8px;
    padding: 8px 5px;
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
    color: white;
    font-size: 14px;
    font-family: "Arial";
}
QGroupBox {
    border: 1.5px solid #FFA100;
    border-radius: 8px;
    margin-top: 10px;
    padding-top: 10px;
    font-size: 14px;
    font-family: "Arial";
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

LINE_SHEET = "background-color: #ffa100;\nmin-height: 1px;\nmax-height: 1px;\nborder: none;"
HEADING_SHEET = "font-size: 16px;\npadding: 0px;\nmargin: 0px 5px 0px 5px;\nborder: none;"
ADVANCE_SHEET = """QPushButton {
    background-color: transparent;
    border: 1px solid #FFA100;
    border-radius: 5px;
    color: #FFEB3B;
    font-size: 14px;
    font-family: "Arial";
    font-weight: bold;
}
QPushButton:checked {
    background-color: rgba(255, 235, 59, 0.5);
    padding-top: 9px;
    padding-bottom: 7px;
}"""
STACK_SHEET = "QStackedWidget > QWidget {\n    background: transparent;\n}"
MAIN_STACK_SHEET = "QStackedWidget {\n    background: transparent;\n    border: none;\n}\n" + STACK_SHEET
MODE_STACK_SHEET = ("QStackedWidget {\n    background: transparent;\n    border: none;\n    border-radius: 20px;\n}\n"
                    + STACK_SHEET)
SWATCH_SHEET = "QPushButton {\n    border: 2px solid rgba(255, 255, 255, 0.6);\n    border-radius: 23px;\n}"


def orange_button(padding):
    pad = "    padding: 5px;\n" if padding else ""
    return ("QPushButton {\n    background-color: rgba(255, 161, 0, 0.05);\n    color: #FFA100;\n%s"
            "    border: 1.5px solid #FFA100;\n    border-radius: 8px;\n    font-size: 14px;\n"
            "    font-family: \"Arial\";\n}\nQPushButton:hover {\n    background-color: rgba(255, 161, 0, 0.3);\n"
            "    border-color: #FFB833;\n    color: #FFB833;\n}\nQPushButton:pressed {\n"
            "    background-color: rgba(255, 161, 0, 0.5);\n}" % pad)


def segment(left):
    corners = ('left', 'right') if left else ('right', 'left')
    return ("QPushButton {\n    background-color: rgba(255, 161, 0, 0.1);\n    border: 1.5px solid #FFA100;\n"
            "    border-top-%(a)s-radius: 15px;\n    border-bottom-%(a)s-radius: 15px;\n"
            "    border-top-%(b)s-radius: 0px;\n    border-bottom-%(b)s-radius: 0px;\n"
            "    padding: 8px 20px;\n    color: #FFA100;\n    font-size: 14px;\n    font-family: \"Arial\";\n}\n"
            "QPushButton:hover {\n    background-color: rgba(255, 161, 0, 0.3);\n    border-color: #FFB833;\n"
            "    color: #FFB833;\n}\nQPushButton:pressed {\n    background-color: rgba(255, 161, 0, 0.5);\n"
            "    padding-top: 9px;\n    padding-bottom: 7px;\n}\nQPushButton:checked {\n"
            "    background-color: #FFA100;\n    border-color: #FFA100;\n    color: #1a1a1a;\n}\n"
            "QPushButton:checked:hover {\n    background-color: #FFB833;\n    border-color: #FFB833;\n"
            "    color: #1a1a1a;\n}\nQPushButton:checked:pressed {\n    background-color: rgba(255, 161, 0, 0.8);\n}"
            % {'a': corners[0], 'b': corners[1]})


MCP_SHEET = ("QPushButton {\n    border-radius: 4px;\n    padding: 5px 10px;\n    color: rgb(255, 255, 255);\n"
             "    background-color: rgb(100, 100, 100);\n}\nQPushButton:checked {\n    border-radius: 4px;\n"
             "    padding: 5px 10px;\n    color: rgb(0, 0, 0);\n"
             "    border-image: url(:/new/pshare/res/check_green.png);\n}")
SETALL_SHEET = "QPushButton {\n    color: #FFA100;\n    padding: 5px;\n    border-radius: 6px;\n    border: 1px solid #ffa100;\n}"
TEXT_SHEET = ("QTextEdit {\n    background-color: rgb(80,80,80);\n    color: rgb(255, 255, 255);\n"
              "    border-radius: 15px;\n    border: 1px solid #000000;\n}")
CLEAR_SHEET = ("QPushButton {\n    background-color: #000000;\n    color: #ffa100;\n    border-radius: 15px;\n"
               "    border: 2px solid #ffa100;\n}")

RICH_TEXT = ('<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0//EN" "http://www.w3.org/TR/REC-html40/strict.dtd">\n'
             '<html><head><meta name="qrichtext" content="1" /><style type="text/css">\n'
             'p, li { white-space: pre-wrap; }\n'
             "</style></head><body style=\" font-family:'Arial'; font-size:16pt; font-weight:400; font-style:normal;\">\n"
             '<p style="-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px; '
             "margin-right:0px; -qt-block-indent:0; text-indent:0px; font-family:'Consolas';\"><br /></p></body></html>")


def combo(name, rows=(), extra=()):
    return widget('TouchComboBox', name, list(extra), items=rows)


def numbers(first, last):
    return [str(i) for i in range(first, last + 1)]


def plain_label(name, t):
    return widget('QLabel', name, [text('text', t), centred()])


def heading(n):
    suffix = '' if n == 1 else '_%d' % n
    lay = {1: 'horizontalLayout_33', 2: 'horizontalLayout_34', 3: 'horizontalLayout_35'}[n]
    title = {1: 'PEDAL', 2: 'MODULATION', 3: 'PITCH BEND'}[n]

    def line(name):
        return widget('QFrame', name, [enum('frameShape', 'QFrame::StyledPanel'),
                                       enum('frameShadow', 'QFrame::Raised'), style(LINE_SHEET)])
    lab = widget('QLabel', 'label_title' + suffix, [sizepolicy('Fixed', 'Preferred'), style(HEADING_SHEET),
                                                     text('text', title), centred()])
    return widget('QWidget', 'widget_title' + suffix, [size('minimumSize', 0, 40), size('maximumSize', 16777215, 40)],
                  layout('QHBoxLayout', lay, [], [line('frame_left' + suffix), lab, line('frame_right' + suffix)]))


def advance(name):
    return widget('QPushButton', name, [size('minimumSize', 30, 20), size('maximumSize', 30, 20),
                                        font(bold=True, weight=75), text('toolTip', 'Advanced options for the pedal'),
                                        style(ADVANCE_SHEET), text('text', '\u00b7\u00b7\u00b7')])


def row(name, items, right=None):
    return layout('QHBoxLayout', name, margins([], left=0, top=0, right=right, bottom=0) if right is not None else [],
                  items)


def page0():
    mod_adv = widget('QWidget', 'widget_ModAdvance', [], layout('QVBoxLayout', 'verticalLayout_35',
                                                                margins([], left=0, top=0, right=46, bottom=0), [
        row('horizontalLayout_2', [plain_label('label_2', 'CC'), combo('comboBox_ModCC')]),
        row('horizontalLayout_3', [plain_label('label_3', 'Min'), combo('comboBox_ModMin')]),
        row('horizontalLayout_4', [plain_label('label_4', 'Max'), combo('comboBox_ModMax')])]))
    ped_adv = widget('QWidget', 'widget_advance', [], layout('QVBoxLayout', 'verticalLayout_2',
                                                             margins([], left=0, top=0, right=46, bottom=0), [
        row('horizontalLayout_8', [plain_label('label_11', 'CC'), combo('comboBox_PedalCC')]),
        row('horizontalLayout_9', [plain_label('label_12', 'MIN'), combo('comboBox_PedalMin')]),
        row('horizontalLayout_6', [plain_label('label_9', 'MAX'), combo('comboBox_PedalMax')])]))
    items = [
        heading(3),
        row('horizontalLayout_5', [plain_label('label_7', 'Channel'), combo('comboBox_PitchCH')], right=52),
        heading(2),
        row('horizontalLayout', [plain_label('label', 'Channel'), combo('comboBox_ModCh'),
                                 advance('pushButton_ModAdvance')], right=10),
        mod_adv,
        heading(1),
        row('horizontalLayout_10', [plain_label('label_13', 'Type'),
                                    combo('comboBox_PedalType', ['Sustain', 'Expression']),
                                    advance('pushButton_advance')], right=10),
        row('horizontalLayout_7', [plain_label('label_10', 'Channel'), combo('comboBox_PedalCh')], right=46),
        ped_adv,
    ]
    return widget('QWidget', 'page', [], layout('QVBoxLayout', 'verticalLayout_36', [], items))


def page1():
    arial = font(bold=False)

    def value_label(name, t):
        return widget('QLabel', name, [size('minimumSize', 100, 0), size('maximumSize', 100, 16777215), arial,
                                       text('text', t), centred()])

    def value_combo(name, rows):
        return widget('TouchComboBox', name, [size('minimumSize', 120, 40), font(), number('currentIndex', 0)],
                      items=rows)

    def setall(name, t):
        return widget('QPushButton', name, [size('minimumSize', 0, 50), font(point=9), style(SETALL_SHEET),
                                            text('text', t)])

    kinds = widget('QStackedWidget', 'stackedWidget', [style(STACK_SHEET), number('currentIndex', 2)],
                   widget('QWidget', 'page_4', []) +
                   widget('QWidget', 'page_5', [], layout('QHBoxLayout', 'horizontalLayout_42', [], [
                       spacer(),
                       widget('QLabel', 'label_color1', [font(), text('toolTip', 'Pad backlight color display'),
                                                         text('text', 'Color '), centred()]),
                       widget('QPushButton', 'pushButton_color',
                              [size('minimumSize', 46, 46), size('maximumSize', 46, 46), font(point=13, bold=False),
                               text('toolTip', 'Pad backlight color display'), style(SWATCH_SHEET), text('text', '')]),
                       widget('QPushButton', 'pushButton_setColor', [font(), style(orange_button(True)),
                                                                     text('text', 'To all\npad')]),
                       spacer()])) +
                   widget('QWidget', 'page_6', [], layout('QHBoxLayout', 'horizontalLayout_43', [], [
                       layout('QHBoxLayout', 'horizontalLayout_44',
                              margins([number('spacing', 0)], left=80, top=0, right=80, bottom=0), [
                           widget('QPushButton', 'pushButton_down', [font(), style(segment(True)),
                                                                     text('text', 'Press'), size('iconSize', 40, 40)]),
                           widget('QPushButton', 'pushButton_long', [font(), style(segment(False)),
                                                                     text('text', 'Long'), size('iconSize', 30, 30)])])])))
    type_row = layout('QHBoxLayout', 'horizontalLayout_51', margins([], left=0, top=0, right=30, bottom=0), [
        widget('QLabel', 'label_type', [size('minimumSize', 100, 0), size('maximumSize', 100, 16777215), arial,
                                        text('text', 'Type'), centred()]),
        widget('TouchComboBox', 'comboBox_type', [size('minimumSize', 120, 40), arial], items=['CC', 'CC AfterTouch', 'CW']),
        widget('QLabel', 'label_CH3', [size('maximumSize', 80, 16777215), font(), text('text', 'MCP\nMCU'), centred()]),
        widget('QPushButton', 'pushButton_CH3', [size('minimumSize', 30, 30), size('maximumSize', 30, 30),
                                                 font(point=10), style(MCP_SHEET), text('text', ''),
                                                 boolean('autoDefault', False)])])
    value_rows = layout('QVBoxLayout', 'verticalLayout_30', [], [
        layout('QHBoxLayout', 'horizontalLayout_45', [], [value_label('label_chanel', 'Channel'),
                                                          value_combo('comboBox_channel', numbers(0, 15)),
                                                          setall('pushButton_setCH', 'setCH')]),
        layout('QHBoxLayout', 'horizontalLayout_46', [], [value_label('label_data1', 'CC Name'),
                                                          value_combo('comboBox_data1', numbers(0, 127)),
                                                          setall('pushButton_setData1', 'To all\npad')]),
        layout('QHBoxLayout', 'horizontalLayout_47', [], [value_label('label_data2', 'v2'),
                                                          value_combo('comboBox_data2', numbers(0, 127))]),
        layout('QHBoxLayout', 'horizontalLayout_48', [], [value_label('label_data3', 'v3'),
                                                          value_combo('comboBox_data3', numbers(0, 127))]),
        layout('QHBoxLayout', 'horizontalLayout_49', [], [value_label('label_speed', 'Speed'),
                                                          value_combo('comboBox_data4', ['Slowest', 'Slow', 'Normal',
                                                                                         'Fast', 'Fastest'])])])
    modes = widget('QStackedWidget', 'stackedWidget_2', [style(MODE_STACK_SHEET), number('currentIndex', 0)],
                   widget('QWidget', 'page_7', [], value_rows) +
                   widget('QWidget', 'page_8', [], layout('QVBoxLayout', 'verticalLayout_31', [], [
                       widget('QTextEdit', 'textEdit_Customize', [font(point=16, bold=False, italic=False),
                                                                  style(TEXT_SHEET), text('html', RICH_TEXT)]),
                       layout('QHBoxLayout', 'horizontalLayout_50', [], [
                           spacer(),
                           widget('QPushButton', 'pushButton_DelText', [size('minimumSize', 90, 33), font(point=14),
                                                                        style(CLEAR_SHEET), text('text', 'X')]),
                           spacer()])])) +
                   widget('QWidget', 'page_9', [], layout('QVBoxLayout', 'verticalLayout_32', [], [])))
    inner = layout('QVBoxLayout', 'verticalLayout_28', [], [kinds, type_row, modes], stretch='1,1,5')
    return widget('QWidget', 'page_2', [], layout('QVBoxLayout', 'verticalLayout_33', [], [inner]))


def page2():
    keybed = [
        ('label_14', 'Channel', 'comboBox_KBCH', []),
        ('label_15', 'Transpose', 'comboBox_XPose', [str(i) for i in range(-12, 13)]),
        ('label_16', 'Octave', 'comboBox_Oct', [str(i) for i in range(-3, 4)]),
        ('label_17', 'Min-Vel', 'comboBox_KBMin', []),
        ('label_18', 'Max-Vel', 'comboBox_KBMax', []),
    ]
    cells = []
    for r, (lab, t, cb, rows) in enumerate(keybed):
        cells.append((plain_label(lab, t), ' row="%d" column="0"' % r))
        cells.append((combo(cb, rows), ' row="%d" column="1"' % r))
    grid2 = layout('QGridLayout', 'gridLayout_2', margins([], left=0, top=0, right=30, bottom=0), cells)
    group1 = widget('QGroupBox', 'groupBox', [text('title', 'KeyBed')],
                    layout('QHBoxLayout', 'horizontalLayout_12', margins([], top=0, bottom=9), [grid2]))
    keys = []
    for n in range(1, 26):
        cell = layout('QVBoxLayout', 'verticalLayout_%d' % (n + 2), [number('spacing', 5)], [
            widget('switchbutton', 'widget_key_%d' % n, [size('minimumSize', 50, 25), size('maximumSize', 100000, 25)]),
            combo('comboBox_key_%d' % n),
            spacer(horizontal=False, hpolicy='QSizePolicy::Expanding')])
        keys.append((cell, ' row="%d" column="%d"' % (1 + (n - 1) // 5, (n - 1) % 5)))
    grid = layout('QGridLayout', 'gridLayout', [number('horizontalSpacing', 2), number('verticalSpacing', 6)], keys)
    group2 = widget('QGroupBox', 'groupBox_2', [text('title', 'MCP')],
                    layout('QVBoxLayout', 'verticalLayout_34', margins([], top=0), [grid]))
    inner = layout('QVBoxLayout', 'verticalLayout_29', [number('spacing', 15)], [group1, group2])
    return widget('QWidget', 'page_3', [], layout('QVBoxLayout', 'verticalLayout_38', [], [inner]))


def main():
    reset_spacers()
    button = [size('minimumSize', 100, 40), size('maximumSize', 100, 40), font(bold=False), style(orange_button(False))]
    stack = widget('QStackedWidget', 'stackedWidget_main', [style(MAIN_STACK_SHEET), number('currentIndex', 2)],
                   page0() + page1() + page2())
    top_layout = layout('QVBoxLayout', 'verticalLayout', margins([number('spacing', 2)], left=0, top=20, right=0,
                                                                 bottom=20), [
        widget('QLabel', 'label_Control', [style('font-size: 16px;\npadding-top: 20px;'), text('text', ''),
                                           centred()]),
        stack,
        layout('QHBoxLayout', 'horizontalLayout_11', [], [
            widget('QPushButton', 'pushButton_ok', button + [text('text', 'OK')]),
            widget('QPushButton', 'pushButton_cancel', button + [text('text', 'Cancel')])])])
    top = widget('QDialog', 'CVX18Child', [rect(482, 843), text('windowTitle', 'Dialog'), style(WINDOW_SHEET)],
                 top_layout)
    xml = document('CVX18Child', top, custom=(('TouchComboBox', 'QComboBox', 'touchcombobox.h'),
                                              ('switchbutton', 'QWidget', 'switchbutton.h')),
                   qrc=('../resources/pad.qrc', '../resources/app.qrc'))
    with open(OUT, 'w', encoding='utf-8') as f:
        f.write(pretty(xml))


if __name__ == '__main__':
    main()
