#pragma once
// The program's general error handler. Every command and event handler runs
// inside Guarded(): an error is shown in a message box with its own text
// (caption: the application title) and the program goes on. Nested commands
// (a command executing another) let the error travel up to the outermost
// guard, so the rest of the outer command is skipped as well.
#include <functional>

void Guarded(const std::function<void()>& work);

// Held while a nested event loop runs (message boxes, file dialogs, modal
// windows): commands that run inside it are outermost commands of their own.
class Nested_Loop_Scope {
public:
    Nested_Loop_Scope();
    ~Nested_Loop_Scope();
    Nested_Loop_Scope(const Nested_Loop_Scope&) = delete;
    Nested_Loop_Scope& operator=(const Nested_Loop_Scope&) = delete;

private:
    int saved_;
};

// The application title used as the caption of error boxes.
#define VELMORA_APP_TITLE "Velmora Home Edition"
