#include "RecordingMessages.h"

#include "Db.h"

namespace testing {

FatalRecorder::FatalRecorder()
{
    Db::setFatalHandler([this](const QString& text) { failures << text; });
}

FatalRecorder::~FatalRecorder()
{
    Db::setFatalHandler(nullptr);
}

} // namespace testing
