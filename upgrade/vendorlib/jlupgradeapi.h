// The functions of the firmware upgrade library as the upgrade dialog calls
// them. The library is loaded at run time; these are the pointer types its
// fourteen exported functions are resolved into. Every function returns 0 on
// success and any other value on failure.
#pragma once

extern "C" {

// Progress of an upgrade in percent (0..100); no context pointer.
typedef void (*JL_ProgressCallback)(unsigned char percent);

// Takes a copy of a whole image file for the image queries below.
typedef int (*JL_loadUfwData_t)(const unsigned char *data, unsigned int size);
// Checksum of arbitrary data.
typedef int (*JL_getUfwDataCrc_t)(const unsigned char *data, unsigned int size, unsigned int *crc32);
// Checks the loaded image and reports its checksums.
typedef int (*JL_getUfwCrc_t)(unsigned short *crc16, unsigned int *crc32);
// PID and VID of the loaded image as NUL-terminated texts.
typedef int (*JL_getUfwPidVid_t)(char *pid, int pidSize, char *vid, int vidSize);
// Writes the loaded image to the device at a drive letter; blocks until done.
typedef int (*JL_upgradeDevice_t)(char drive, unsigned char arg1, unsigned char arg2,
                                  JL_ProgressCallback progress);
// PID and VID of the device at a drive letter.
typedef int (*JL_queryDevicePidVid_t)(char drive, char *pid, int pidSize, char *vid, int vidSize);
typedef int (*JL_upgradeDeviceByPath_t)(const char *path, unsigned char arg1, unsigned char arg2,
                                        JL_ProgressCallback progress);
typedef int (*JL_queryDevicePidVidByPath_t)(const char *path, char *pid, int pidSize, char *vid,
                                            int vidSize);
typedef int (*JL_clearPcModeName_t)(void);
typedef int (*JL_setPcModeWaitTime_t)(int milliseconds);
typedef int (*JL_addPcModeName_t)(const char *name);
// Description of whatever answers at a drive letter.
typedef int (*JL_queryDeviceDesc_t)(char drive, char *desc, int descSize);
typedef int (*JL_queryDeviceDescByPath_t)(const char *path, char *desc, int descSize);
// Name of the chip whose devices this library upgrades.
typedef int (*JL_getChipDeviceName_t)(char *name, int nameSize);

} // extern "C"
