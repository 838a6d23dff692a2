// Loading appConfig.xml at start-up and making sure it has its root element.
#pragma once

#include "xml_config.h"

struct ConfigLoadResult {
    bool fileRead = false;    // the file existed and held data
    bool parsed = false;      // ... and all of it parsed
    bool backedUp = false;    // an unparsable file was copied to "<path>.bak" first
    bool rootCreated = false; // AppConfig was missing and has been appended
    bool saved = false;       // the file was rewritten because of that
    bool unreadable = false;  // the file exists but could not be read: it is never written
};

// Reads `path` into `document` and appends AppConfig when the document has none, saving
// the file at once in that case. A file that does not parse keeps what the parser read; the
// original bytes are first copied beside it so that the rewrite loses nothing (when no
// copy can be made, the document blocks every save instead). A file that is there but
// cannot be read (no permission, locked, not a file) holds settings the document never
// saw: the document then gets its root in memory only and blocks every save, so the
// program runs on defaults and the file stays as it is.
ConfigLoadResult LoadConfigFile(XMLParser& document, const char* path);

// The AppConfig element (null when missing).
XMLNode FindAppConfig(const XMLParser& document);
