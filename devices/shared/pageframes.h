// Frames every controller page with a configuration block exchanges with its
// device, whatever the model: the block-free frames the page sends, and checked
// parsers for the replies. Block and record sizes are parameters.
//
// How a page uses it: its model calls frameCommand() on each received frame
// and, by command, parseSystemRecord() (with the model's record size),
// parseConfigReply() (with the model's block size) or parseResultReply() (save
// and factory reset). Each parser is given the frame as received and the
// number of bytes received, and reads nothing beyond either that count or the
// frame's payload length. The builders write a whole frame (header, payload,
// checksum) into out, which must hold it, and return its length.
#pragma once

#include "deviceframe.h"

namespace pagekit {

// ---- frames the page sends ----------------------------------------------------

// CMD_READ_PRESET with the preset number: 8 bytes.
uint buildReadPresetFrame(uchar *out, uchar preset);
// CMD_SAVE and CMD_PAGE_CLOSE, empty payloads: 7 bytes each.
uint buildSaveFrame(uchar *out);
uint buildPageCloseFrame(uchar *out);
// CMD_SYSTEM_CONFIG carrying size bytes of the record.
uint buildSystemRecordFrame(uchar *out, const void *record, uint size);
// CMD_WRITE_SYSEX_POOL: the first n pool bytes (n cut to poolSize), preceded
// by n as u16 little-endian. At most poolSize + 9 bytes.
uint buildSysexPoolFrame(uchar *out, const uchar *pool, uint poolSize, uint n);

// ---- frames the device sends ----------------------------------------------------

// Command byte, or -1 when fewer than 6 bytes arrived.
int frameCommand(const uchar *frame, uint received);

// A whole record of recordSize bytes: copied to out, true. A shorter payload,
// or fewer bytes received: false, out untouched.
bool parseSystemRecord(const uchar *frame, uint received, void *out, uint recordSize);

// A configuration reply: payload byte 0 is the preset, the block follows.
// Copies min(payload length - 1, received - 8, blockSize) bytes from payload
// byte 1 on to the start of block (never the checksum; the rest of the block
// keeps its contents), stores payload byte 0 in *preset when it arrived, and
// returns the number of block bytes copied: 0 means the reply carried no
// block and is a failure.
uint parseConfigReply(const uchar *frame, uint received, void *block, uint blockSize, uchar *preset);

// A save or factory-reset result: true only when a payload byte is present
// and non-zero. A reply without payload is a failure.
bool parseResultReply(const uchar *frame, uint received);

} // namespace pagekit
