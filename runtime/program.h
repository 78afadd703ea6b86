#pragma once

#include <functional>
#include <string_view>

namespace runtime {

// Gives the program the name a person knows it by: assistive technology lists it under that
// name, and the runtime error report carries it as its title.
void nameProgram(std::string_view name);

// Ends the program: the event loop stops once the running handler returns, and the process
// exits with status 0. Nothing is asked or saved.
void End();

// Shows a modal message box; `style` 64 is the information icon with an OK button. Its answer
// is not used.
void MsgBox(std::string_view prompt, int style, std::string_view title);

// Runs one event handler; a runtime error it raises is reported in a modal message box and the
// program goes on.
void runHandler(const std::function<void()> &handler);

} // namespace runtime
