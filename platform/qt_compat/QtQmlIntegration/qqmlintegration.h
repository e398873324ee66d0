#pragma once
// Qt TextToSpeech's header marks its class for QML with QML_ELEMENT, a marker
// for moc that means nothing to C++. Debian ships the macro with the QML
// development package; this header stands in when that package is absent.
// Only the markers the speech header uses are given.
#ifndef QML_ELEMENT
#define QML_ELEMENT
#endif
