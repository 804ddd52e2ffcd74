// Conventions of our stand-in for the firmware upgrade library, shared by the
// stand-in itself and by the tests that drive it.
//
// Drive letters are folders under a root folder: the environment variable
// TAVRO_UPGRADE_DRIVES names it (default: "<temp>/tavro-upgrade-drives").
// A device in upgrade mode is a folder "<root>/<letter>" holding a
// description file "device.txt" of "key=value" lines:
//   desc=<text>        what JL_queryDeviceDesc reports; contains the chip
//                      name when it is our device in upgrade mode
//   pid=<text>         what JL_queryDevicePidVid reports
//   vid=<text>
//   fail_at=<n>        optional: JL_upgradeDevice stops after reporting n %
//                      and returns kErrInterrupted
//   result=<n>         optional: JL_upgradeDevice reports 0..100 and then
//                      returns n instead of 0
//   pidvid_error=<n>   optional: JL_queryDevicePidVid returns n
// A successful JL_upgradeDevice writes the image to "<letter>/firmware.ufw".
// Every call is appended to "<root>/calls.log", one line each: the function
// name, its main arguments and its result, separated by blanks.
// The chip name is "TVR-BOOT" unless TAVRO_UPGRADE_CHIP says otherwise.
#pragma once

namespace standin {

constexpr const char *kDrivesEnv = "TAVRO_UPGRADE_DRIVES";
constexpr const char *kChipEnv = "TAVRO_UPGRADE_CHIP";
constexpr const char *kDefaultChipName = "TVR-BOOT";
constexpr const char *kDescriptionFile = "device.txt";
constexpr const char *kInstalledImageFile = "firmware.ufw";
constexpr const char *kCallLogFile = "calls.log";

enum Error {
    kOk = 0,
    kErrArgument = 1,       // null buffer, bad size or bad drive letter
    kErrNoImage = 2,        // no image loaded, or it failed its checks
    kErrBadImage = 3,       // the data is not an image
    kErrChecksum = 4,       // an image checksum does not match
    kErrNoDevice = 5,       // nothing answers at that drive letter
    kErrMismatch = 6,       // the image is not for this device
    kErrInterrupted = 7,    // the upgrade stopped part way (fail_at)
    kErrWrite = 8,          // the image could not be written to the device
    kErrUnsupported = 9,    // by-path and PC-mode functions
};

} // namespace standin
