// Resources of the image functions' test program.
#pragma once

// A 2 x 2 24-bit BMP file: red, green over blue, white.
#define IDR_TEST_PICTURE 301
