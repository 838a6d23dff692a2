// Loading appConfig.xml at start-up and making sure it has its root element.
#pragma once

#include "xml_config.h"

struct ConfigLoadResult {
    bool fileRead = false;    // the file existed and held data
    bool parsed = false;      // ... and all of it parsed
    bool backedUp = false;    // an unparsable file was copied to "<path>.bak" first
    bool rootCreated = false; // AppConfig was missing and has been appended
    bool saved = false;       // the file was rewritten because of that
};

// Reads `path` into `document` and appends AppConfig when the document has none, saving
// the file at once in that case. A file that does not parse keeps what the parser read; the
// original bytes are first copied beside it so that the rewrite loses nothing.
ConfigLoadResult LoadConfigFile(XMLParser& document, const char* path);

// The AppConfig element (null when missing).
XMLNode FindAppConfig(const XMLParser& document);
