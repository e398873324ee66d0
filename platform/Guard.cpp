#include "platform/Guard.h"

#include "platform/Host.h"
#include "platform/Velmora_error.h"

#include <exception>

namespace {
int guard_depth = 0;

struct Depth {
    Depth() { ++guard_depth; }
    ~Depth() { --guard_depth; }
};
} // namespace

Nested_Loop_Scope::Nested_Loop_Scope() : saved_(guard_depth) { guard_depth = 0; }

Nested_Loop_Scope::~Nested_Loop_Scope() { guard_depth = saved_; }

void Guarded(const std::function<void()>& work)
{
    if (guard_depth > 0) {
        // Inside another command: the outermost guard reports the error.
        Depth d;
        work();
        return;
    }
    Depth d;
    QString text;
    try {
        work();
        return;
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = QString();
    }
    host().Message(text, QStringLiteral(VELMORA_APP_TITLE), Buttons::OK);
}
