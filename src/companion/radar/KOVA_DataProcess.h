// The radar device library: the serial link to the module and its command protocol.
//
// Every call takes the opaque handle from KOVA_Interface_RadarDevice_Serial_Create first. An
// unknown or destroyed handle is refused (0, or RADAR_ERR_NOT_OPEN), never dereferenced.
// No call blocks longer than the time-out it is given (plus a few milliseconds); a closed or
// vanished port makes reads return a negative count and commands RADAR_ERR_NOT_OPEN or
// RADAR_ERR_WRITE_FAILED.
//
// Threads: commands run on one thread (the GUI thread); ReadData may run on another thread
// at the same time as IsConnected, but not at the same time as a command. The library holds
// to that itself: from Start until Stop (or Close) the line is the report stream's, and every
// command is refused with RADAR_ERR_REPORTING before a byte is written, except the
// StopCmdMode that ends the bracket Start was called in. CleanCmdBuffer drops nothing then.
#pragma once

#include "base_string.h"

#include <cstdint>

typedef uint64_t RADAR_HANDLE;

// The protocol revision handed to acknowledgement callbacks. This library always speaks
// version 1, whose acknowledgements start with a 16-bit status word.
enum eRADAR_PROTOCOL_VERSION {
    eRADAR_PROTOCOL_VERSION_0 = 0, // acknowledgements without a status word
    eRADAR_PROTOCOL_VERSION_1 = 1,
};

// Result codes of the command calls: 0 success, the module's nonzero status word as it
// came, or one of these.
enum {
    RADAR_OK = 0,
    RADAR_ERR_NO_ACK = 0xA001,        // no acknowledgement within the time-out
    RADAR_ERR_NOT_OPEN = 0xA002,      // the link is not open (or the handle is unknown)
    RADAR_ERR_WRITE_FAILED = 0xA003,  // the command could not be written
    RADAR_ERR_MALFORMED_ACK = 0xA004, // the acknowledgement is not what the command returns
    RADAR_ERR_REPORTING = 0xA005,     // reporting runs: the line belongs to the report stream
};

// Checks an acknowledgement: `ack` holds `count` bytes, the status word first (for protocol
// version 1), then the returned value. Returns 0 to accept it, else a code that the command
// call returns.
typedef uint16_t (*RadarAckCallback)(eRADAR_PROTOCOL_VERSION version, const uint8_t* ack, int count,
                                     uint64_t context);

// The acknowledgement check for commands that return no data: the status word (version 1),
// 0 (version 0), or RADAR_ERR_MALFORMED_ACK when a version 1 acknowledgement is shorter than
// its status word.
uint16_t CheckCmdAckData_RetCode(eRADAR_PROTOCOL_VERSION version, const uint8_t* ack, int count,
                                 uint64_t context);

RADAR_HANDLE KOVA_Interface_RadarDevice_Serial_Create();
// Closes the port if open and frees the handle.
void KOVA_Interface_RadarDevice_Serial_Destroy(RADAR_HANDLE handle);

// Opens serial port `portNumber` at `baudRate` (8 data bits, no parity, no flow control):
// "\\.\COMn" on Windows (ports above COM9 work), /dev/ttyS<n-1> elsewhere.
//   openAttempts  how often to try while the port is busy (the program passes 2)
//   stopBits      1 or 2 (1)
//   purge         nonzero: drop whatever the driver buffered before the open (1)
//   retryDelayMs  wait between attempts (150)
// Returns nonzero when the port is open. An open port is closed first.
int KOVA_Interface_RadarDevice_Serial_OpenByPortNum(RADAR_HANDLE handle, int portNumber, int baudRate,
                                                    int openAttempts, int stopBits, int purge,
                                                    int retryDelayMs);
// The same by device name: a path such as /dev/ttyUSB0, or COM12 / \\.\COM12 on Windows.
int KOVA_Interface_RadarDevice_Serial_OpenByName(RADAR_HANDLE handle, const char* name, int baudRate,
                                                 int openAttempts, int stopBits, int purge, int retryDelayMs);
void KOVA_Interface_RadarDevice_Serial_Close(RADAR_HANDLE handle);
// Nonzero while the port is open and no read or write has found it gone.
int KOVA_Interface_RadarDevice_IsConnected(RADAR_HANDLE handle);

// Enters command mode (0x00FF): up to `attempts` tries, each waiting `ackTimeoutMs` for the
// acknowledgement among whatever else arrives (the program passes 2, 150).
uint16_t KOVA_Interface_RadarDevice_StartCmdMode(RADAR_HANDLE handle, int attempts, int ackTimeoutMs);
// Drops the bytes received so far and those that keep arriving until the line has been quiet
// for a moment, for at most `maxWaitMs` (the program passes 500). Returns the bytes dropped.
int KOVA_Interface_RadarDevice_CleanCmdBuffer(RADAR_HANDLE handle, int maxWaitMs);
// Leaves command mode (0x00FE); the module then streams reports again.
uint16_t KOVA_Interface_RadarDevice_StopCmdMode(RADAR_HANDLE handle);

// Sends `word` with `size` value bytes and waits up to `timeoutMs` for its acknowledgement.
// The callback (may be null: the status word decides) gets protocol version 1 and the bytes
// after the acknowledged word; its result is returned. A value that does not fit one frame
// (size below 0 or above 1022, or null data with a size) is refused with
// RADAR_ERR_WRITE_FAILED before anything is written.
uint16_t KOVA_Interface_RadarDevice_Protocol_SendCommand(RADAR_HANDLE handle, uint16_t word,
                                                         const uint8_t* data, int size,
                                                         RadarAckCallback callback, uint64_t context,
                                                         int timeoutMs);
// Sends `word` with `count` pairs (parameter word u16, value u32). Nonzero when the module
// acknowledged with status 0.
int KOVA_Interface_RadarDevice_Protocol_SetParameter(RADAR_HANDLE handle, uint16_t word, int count,
                                                     const uint16_t* parameterWords, const uint32_t* values,
                                                     int timeoutMs);

// Reads the firmware version ("V1.02.22062416") in its own command-mode bracket. On failure
// `version` keeps its text.
uint16_t KOVA_Interface_RadarDevice_GetVersion(RADAR_HANDLE handle, CBaseStringA* version);

// Report stream on and off: Start drops stale input so that ReadData delivers the stream from
// here on, and hands the line to it (see Threads above); Stop drops what is still buffered
// and gives the line back to commands. Nonzero on success (the link is open).
int KOVA_Interface_RadarDevice_Start(RADAR_HANDLE handle);
int KOVA_Interface_RadarDevice_Stop(RADAR_HANDLE handle);

// The most bytes one ReadData call returns; the reader sizes its buffer with it.
int KOVA_Interface_RadarDevice_Protocol_GetWriteBufferMaxSize(RADAR_HANDLE handle);

// Reads into `buffer`: returns as soon as bytes are there (waitForFull 0) or when `size`
// bytes are there (waitForFull nonzero), or after `timeoutMs`. Returns the count, 0 when
// nothing arrived in time, negative when the link is not open or was lost.
int KOVA_Interface_RadarDevice_ReadData(RADAR_HANDLE handle, uint8_t* buffer, int size, int timeoutMs,
                                        int waitForFull);
