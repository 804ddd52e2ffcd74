// Images of the foot pedal's configuration for the page tests.
#pragma once

#include <QByteArray>

#include "devices/pedal/z3config.h"
#include "devices/pedal/z3edit.h"

namespace pedaltest {

// Passes the check: mode 1, tone counts 128, one group, trigger types 1,
// switches A..D latching.
inline SZ3ProConfigData plainImage()
{
    SZ3ProConfigData image;
    image.setMode(1);
    image.setByte(z3::kMode1Max, 128);
    image.setByte(z3::kMode2Max, 128);
    for (int g = 0; g < z3::kGroups; ++g) {
        for (int k = 0; k < z3::kKeysPerGroup; ++k)
            image.key(g, k).setTriggerType(1);
    }
    for (int s = 0; s < z3::kSwitchCount; ++s)
        image.switchRecord(s)[0] = uchar((s + 1) << 4);
    return image;
}

// Mode 4 with three groups, key A of group 0 "Down+Up" with two events in
// list 1 and a SysEx in list 2, two expression entries, Bluetooth mode 1.
inline SZ3ProConfigData preparedImage()
{
    SZ3ProConfigData image = plainImage();
    image.setMode(4);
    image.setGroupSelect(0x02);
    image.key(0, 0).setTriggerType(3);
    z3::addKeyEvent(image, 0, 0, 1, {0x90, 2, 60, 100});
    z3::addKeyEvent(image, 0, 0, 1, {0xC0, 0, 5, 0});
    z3::setKeySysex(image, 0, 0, 2, QByteArray::fromHex("F04310F7"));
    const int e1[4] = {2, 7, 0, 127};
    const int e2[4] = {15, 11, 10, 100};
    z3::addPedalEntry(image, e1);
    z3::addPedalEntry(image, e2);
    image.setByte(z3::kBtMode, 1);
    image.setDisplayChar(6, 0x89); // mode 4: "8." and "None"
    return image;
}

} // namespace pedaltest
