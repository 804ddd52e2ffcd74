// Small shared helpers: hexadecimal text, object-name numbers, a MIDI stream
// check, the interface catalogue and Qt's own translations, and the upgrade log.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Two upper-case hexadecimal digits, high nibble first (0x0A -> "0A").
QString byteToHex(quint8 b);

// byteToHex of each byte separated by single blanks; empty for null or len 0.
QString bytesToHexString(const quint8 *data, quint16 len);

// The hexadecimal digits of text (every other character dropped), cut into
// groups of two from the start; an odd last digit is a group of its own.
// Letters keep their case: "f07E 1" -> "f0", "7E", "1".
QStringList hexDigitPairs(const QString &text);

// Six hexadecimal digits of the complementary colour (NOT of r, g, b).
QString inverseColorHex(quint8 r, quint8 g, quint8 b);

// The decimal number after the last "_" of s ("comboBox_key_12" -> 12); 0 when
// that part is not a number.
int numberAfterLastUnderscore(const QString &s);

// The bytes of hexDigitPairs ("f0 7e 7" -> F0 7E 07).
QByteArray hexDigitBytes(const QString &text);

// True when data is a well-formed sequence of MIDI messages: complete SysEx
// messages, channel and system messages with all their data bytes. An empty
// sequence is valid; a lone data byte (00..7F) or a lone F7 is not.
bool isValidMidiStream(const quint8 *data, quint16 len);

// Loads the interface catalogue of g_language (":/Language/language_cn.qm" for
// 1, ":/Language/language_en.qm" otherwise) into g_translator and installs it
// in front of any other; the connection window, the upgrade dialog and every
// page call it before they retranslate. False when there is no translator or
// the catalogue did not load.
bool loadInterfaceCatalogue();

// Loads Qt's own texts for g_language from the application folder's
// "translations" folder into g_qtTranslator and installs it when it loaded.
void loadQtBaseTranslator();

// Path of the upgrade log: application folder + "/ConfigData/TaSuiteLog.txt".
QString logFilePath();

// Appends "[yyyy-MM-dd HH:mm:ss.zzz] text\n" to the upgrade log, creating its
// folder when missing. False when the folder or the file cannot be opened.
bool writeLog(const QString &text);
