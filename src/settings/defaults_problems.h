// The messages a program shows about its factory defaults text: one per
// malformed line, then one per key a defaults pass asked for and did not
// find. The defaults table itself only records these problems, so that the
// tools and tests that parse it stay silent; the saver's start-up shows them.
#pragma once

#include "settings/saver_settings.h"

// Message texts (UTF-8, as every text the platform's message box shows).
// A line without '=' ("wrong format of the file def_settings.txt").
extern const char kMalformedDefaultsLineText[];
// A key not in the table ("parameter not found in the file def_settings.txt").
extern const char kMissingDefaultsKeyText[];

// LoadDefaultsTable, then kMalformedDefaultsLineText (empty caption) once
// per malformed line the load met.
void LoadDefaultsTableShowingProblems();
// ApplyDefaults, then kMissingDefaultsKeyText once per key it did not find,
// with the lower-cased key as caption.
void ApplyDefaultsShowingProblems(SaverSettings& s);
