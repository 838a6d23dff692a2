// Read-out texts from a printf format that the chart's owner puts together from parts
// (series name, sample caption, value format). Only formats that take the sample number
// and then the value are handed to printf, so a stray '%' in a name can never read an
// argument that is not there.
#pragma once

#include <string>

// Formats (sample, value) with `format` into *out. The format may hold "%%" and at most
// one integer conversion (d, i, u, o, x, X) followed by at most one floating conversion
// (f, F, e, E, g, G, a, A), each with flags, a width and a precision of up to three digits.
// Returns false, leaving *out alone, for any other format.
bool FormatReadout(const std::string& format, int sample, double value, std::string* out);
