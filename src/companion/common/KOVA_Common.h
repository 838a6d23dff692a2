// The common services library: threads, locks, buffers, containers, logging, serial port
// listing, files, number parsing, pixel buffers and the millisecond clock.
#pragma once

#include "base_buffer.h"
#include "base_lock.h"
#include "base_string.h"
#include "base_thread.h"
#include "dbg_output.h"
#include "file_helpers.h"
#include "ms_time.h"
#include "number_parse.h"
#include "pixel_buffer.h"
#include "ptr_containers.h"
#include "serial_enum.h"
#include "string_split.h"
#include "win_types.h"
