#!/usr/bin/env python3
"""Writes resources/translations/keyboard_en.ts and keyboard_cn.ts.

The sources are every translatable text of the keyboard forms plus the texts
the keyboard code passes to tr(). English shows the source text unless listed
in EN; Chinese reuses the pad page's Chinese for the same source text, else
takes it from CN below.
"""
import os
import re
import sys
import xml.etree.ElementTree as ET
from xml.sax.saxutils import escape

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
TR = os.path.join(ROOT, 'resources', 'translations')

# Texts the page's code translates (context CDlgVX18).
PAGE_CODE = [
    ' Connected',
    'Note\nCH:%1\ndata1:%2\nrange:%3-%4', 'CC Toggle\nCH:%1\ndata1:%2\nvalue:%3 or %4',
    'momentary\nCH:%1\ndata1:%2\nDown:%3\nUp:%4', 'PC\nCH:%1\nMSB:%2\nLSB:%3\nProgram:%4', 'Customize',
    'Save successful', 'Fail to save!', 'Restore factory data successful', 'Restore to factory defaults failed',
    'Save the data to the device?', 'Save to device', 'Yes', 'No', 'Cancel', 'Close', 'Tips',
    'Factory data reset', 'Preset save defeated', 'Preset save successful', 'File Error!',
    'Configuration file error!',
]

# Chinese texts of the keyboard page that the pad page does not have.
CN_PAGE = {
    'Controls': '控件',
    'Slide\nPedal': '滑条\n踏板',
    'KNOB BANK': '旋钮组',
    'PAD BANK': '打击垫组',
    'DIV': '分割',
    'SWING': '摇摆',
    'OCT': '八度',
    'TEMPO': '速度',
    'LATCH': '锁定',
    'GATE': '门限',
    'MODE': '模式',
    'XPOSE': '移调',
    'Setting': '设置',
    'Chord / Scale / ARP': '和弦 / 音阶 / 琶音',
    'ARP Latch': '琶音锁定',
    'Chord\nType': '和弦\n类型',
    'Scale\nType': '音阶\n类型',
    'Scale\nRoot': '音阶\n根音',
    'Arp\nMode': '琶音\n模式',
    'ARP\nOctave': '琶音\n八度',
    'Triad': '三和弦',
    '7th': '七和弦',
    '9th': '九和弦',
    'Random': '随机',
    'Major': '大调',
    'Minor': '小调',
    'Up': '上行',
    'Down': '下行',
    'Incl': '含端音',
    'Excl': '不含端音',
    'Order': '按序',
    'Repeat': '重复',
    'KeyCurv': '琴键曲线',
    'PadCurv': '打击垫曲线',
    'BT': '蓝牙',
    'Yes': '是',
    'No': '否',
    'Cancel': '取消',
    'Close': '关闭',
    'Configuration file error!': '配置文件错误！',
    'File Error!': '文件错误！',
    'Ignore the actual pressure and send a fixed value.': '忽略实际力度，发送固定值。',
    'The number of illuminated PADs at startup indicates the battery level.': '开机时点亮的打击垫数量表示电池电量。',
    '50% OFF': '50% 关',
}

# Texts that read the same in Chinese: names of notes and divisions, pad
# numbers, symbols.
SAME = {'Dialog', 'X', 'bin', 'A', 'A#', 'B', 'C', 'C#', 'D', 'D#', 'E', 'F', 'F#', 'G', 'G#',
        '1/4', '1/4T', '1/8', '1/8T', '1/16', '1/16T', '1/32', '1/32T'} | {'PAD%d' % i for i in range(1, 9)}

EXTRA_CN = {}


def ui_texts(path, context):
    texts = []
    tree = ET.parse(path)
    for s in tree.iter('string'):
        if s.get('notr') == 'true' or not s.text:
            continue
        if s.text not in texts:
            texts.append(s.text)
    return texts


def pad_chinese():
    table = {}
    tree = ET.parse(os.path.join(TR, 'pad_cn.ts'))
    for ctx in tree.getroot():
        if ctx.findtext('name') != 'CRZM7':
            continue
        for m in ctx.iter('message'):
            tr = m.find('translation')
            if tr is not None and tr.get('type') != 'unfinished' and tr.text:
                table[m.findtext('source')] = tr.text
    return table


def write(path, lang, contexts):
    out = ['<?xml version="1.0" encoding="utf-8"?>', '<!DOCTYPE TS>', '<TS version="2.1" language="%s">' % lang]
    for name, pairs in contexts:
        out.append('<context>')
        out.append('    <name>%s</name>' % name)
        for src, tr in pairs:
            out.append('    <message>')
            out.append('        <source>%s</source>' % escape(src))
            out.append('        <translation>%s</translation>' % escape(tr))
            out.append('    </message>')
        out.append('</context>')
    out.append('</TS>')
    with open(path, 'w', encoding='utf-8') as f:
        f.write('\n'.join(out) + '\n')


def main():
    page = ui_texts(os.path.join(ROOT, 'forms', 'cdlgvx18.ui'), 'CDlgVX18')
    for t in PAGE_CODE:
        if t not in page:
            page.append(t)
    # Numbers read the same in both languages and get no entry.
    page = [t for t in page if not re.fullmatch(r'[0-9%]+', t)]
    page.sort()
    padcn = pad_chinese()
    missing = [t for t in page if t not in padcn and t not in CN_PAGE and t not in SAME]
    if missing:
        sys.exit('no Chinese text for: %r' % missing)
    en = [('CDlgVX18', [(t, t) for t in page])]
    cn = [('CDlgVX18', [(t, padcn.get(t, CN_PAGE.get(t, t))) for t in page])]
    try:
        import child_texts
        child_en, child_cn = child_texts.entries(ROOT)
        en.append(('CVX18Child', child_en))
        cn.append(('CVX18Child', child_cn))
    except ImportError:
        pass
    write(os.path.join(TR, 'keyboard_en.ts'), 'en_US', en)
    write(os.path.join(TR, 'keyboard_cn.ts'), 'zh_CN', cn)
    print('CDlgVX18: %d entries' % len(page))


if __name__ == '__main__':
    main()
