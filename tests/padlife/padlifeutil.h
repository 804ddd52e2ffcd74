// Helpers shared by the pad page's life and file tests.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QMessageBox>
#include <QString>
#include <QTimer>

#include <functional>

#include "autodisappermsgbox.h"
#include "filechooser.h"
#include "pagedialogs.h"
#include "padtest.h"
#include "devices/pad/crzm7.h"
#include "devices/pad/rz7config.h"

namespace padlife {

using tavrotest::toastTexts;

inline QByteArray blockBytes(const SRZ7ConfigData &block)
{
    return QByteArray(reinterpret_cast<const char *>(&block), int(sizeof block));
}

using tavrotest::buttonWithRole;
using tavrotest::ChosenPath;
using tavrotest::onNextModalBox;
using tavrotest::readAll;
using tavrotest::writeAll;

} // namespace padlife
