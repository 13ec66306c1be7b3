#include "encodedtext.h"

#include "base/textcodec.h"

TEncodedText::TEncodedText(const QString& text) : FUtf8(text.toUtf8()) {
    if (FUtf8.size() == text.size())
        FWindows1252 = FUtf8; // plain ASCII: the same bytes, shared
    else
        FFitsWindows1252 = TryEncodeWindows1252(text, FWindows1252);
}
