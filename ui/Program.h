#pragma once

#include "Brisvanefrm.h"
#include "EventDispatch.h"

#include <string>
#include <utility>

namespace Brisvane {

// The one place that joins the form to a toolkit's view. The view is made
// first, from its toolkit's arguments and what a click of "convert" runs
// (Command1_Click through the event dispatch), so it knows nothing of the
// form; the form is made over it. No click is handled before Run.
template <typename ToolkitView>
class Program {
public:
    // The zone source and the regional formats must outlive the program.
    template <typename... ViewArguments>
    Program(const ZoneSource& zone, const RegionalFormat& format, std::string commandLine,
            ViewArguments&&... viewArguments)
        : View(std::forward<ViewArguments>(viewArguments)...,
               [this] { RunEventHandler(View, [this] { Form.Command1_Click(); }); }),
          Form(View, zone, format, std::move(commandLine))
    {
    }

    // Start-up, then the view's event loop until the window is closed; the
    // exit status.
    int Run()
    {
        RunEventHandler(View, [this] { Form.Form_Load(); });
        return View.Run();
    }

    ToolkitView View;
    Brisvanefrm Form;
};

}  // namespace Brisvane
