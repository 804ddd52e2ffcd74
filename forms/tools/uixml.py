"""Small builders for Qt Designer form files (.ui), used by the scripts that
generate the keyboard page's forms. Each builder returns an XML string."""
from xml.sax.saxutils import escape


def _s(text, notr=False):
    attr = ' notr="true"' if notr else ''
    if text == '':
        return '<string%s/>' % attr
    return '<string%s>%s</string>' % (attr, escape(text))


def prop(name, value):
    """A property; value is an already formatted XML fragment."""
    return '<property name="%s">%s</property>' % (name, value)


def text(name, value, notr=False):
    return prop(name, _s(value, notr))


def size(name, w, h):
    return prop(name, '<size><width>%d</width><height>%d</height></size>' % (w, h))


def rect(w, h):
    return prop('geometry', '<rect><x>0</x><y>0</y><width>%d</width><height>%d</height></rect>' % (w, h))


def font(family='Arial', point=None, bold=None, italic=None, weight=None):
    parts = ['<family>%s</family>' % family] if family else []
    if point is not None:
        parts.append('<pointsize>%d</pointsize>' % point)
    if weight is not None:
        parts.append('<weight>%d</weight>' % weight)
    if italic is not None:
        parts.append('<italic>%s</italic>' % ('true' if italic else 'false'))
    if bold is not None:
        parts.append('<bold>%s</bold>' % ('true' if bold else 'false'))
    return prop('font', '<font>%s</font>' % ''.join(parts))


def boolean(name, on):
    return prop(name, '<bool>%s</bool>' % ('true' if on else 'false'))


def number(name, n):
    return prop(name, '<number>%d</number>' % n)


def enum(name, value):
    return prop(name, '<enum>%s</enum>' % value)


def setv(name, value):
    return prop(name, '<set>%s</set>' % value)


def style(sheet):
    return text('styleSheet', sheet, notr=True)


def centred():
    return setv('alignment', 'Qt::AlignCenter')


def icon(path):
    return prop('icon', '<iconset resource="../resources/pad.qrc"><normaloff>%s</normaloff>%s</iconset>'
                % (path, path))


def sizepolicy(h, v):
    return prop('sizePolicy', '<sizepolicy hsizetype="%s" vsizetype="%s"><horstretch>0</horstretch>'
                '<verstretch>0</verstretch></sizepolicy>' % (h, v))


def margins(layout_props, left=None, top=None, right=None, bottom=None):
    for side, v in (('left', left), ('top', top), ('right', right), ('bottom', bottom)):
        if v is not None:
            layout_props.append(number(side + 'Margin', v))
    return layout_props


def widget(cls, name, props=(), children='', items=()):
    body = ''.join(props)
    for it in items:
        body += '<item>%s</item>' % text('text', it)
    return '<widget class="%s" name="%s">%s%s</widget>' % (cls, name, body, children)


def layout(cls, name, props=(), items=(), stretch=None):
    """items: list of (xml, extra attributes string) or xml strings."""
    body = ''.join(props)
    for it in items:
        if isinstance(it, tuple):
            xml, attrs = it
        else:
            xml, attrs = it, ''
        body += '<item%s>%s</item>' % (attrs, xml)
    attr = ' stretch="%s"' % stretch if stretch else ''
    return '<layout class="%s" name="%s"%s>%s</layout>' % (cls, name, attr, body)


_spacer_count = [0]


def spacer(horizontal=True, w=None, h=None, hpolicy=None):
    _spacer_count[0] += 1
    name = 'spacer_%d' % _spacer_count[0]
    if horizontal:
        orient, hint = 'Qt::Horizontal', (w or 40, h or 20)
    else:
        orient, hint = 'Qt::Vertical', (w or 20, h or 40)
    props = [enum('orientation', orient)]
    if hpolicy:
        props.append(enum('sizeType', hpolicy))
    props.append(size('sizeHint', *hint))
    return '<spacer name="%s">%s</spacer>' % (name, ''.join(props))


def reset_spacers():
    _spacer_count[0] = 0


def document(cls, top, custom=(('TouchComboBox', 'QComboBox', 'touchcombobox.h'),), qrc=()):
    cw = ''.join('<customwidget><class>%s</class><extends>%s</extends><header>%s</header></customwidget>'
                 % c for c in custom)
    res = ''.join('<include location="%s"/>' % q for q in qrc)
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<ui version="4.0"><class>%s</class>%s'
            '<customwidgets>%s</customwidgets><resources>%s</resources><connections/></ui>\n'
            % (cls, top, cw, res))


def pretty(doc):
    import xml.dom.minidom
    return xml.dom.minidom.parseString(doc.encode('utf-8')).toprettyxml(indent=' ', encoding='UTF-8').decode('utf-8')
