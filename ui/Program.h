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
template <typename View>
class Program {
public:
    // The zone source and the regional formats must outlive the program.
    template <typename... ViewArguments>
    Program(const ZoneSource& zone, const RegionalFormat& format, std::string commandLine,
            ViewArguments&&... viewArguments)
        : view(std::forward<ViewArguments>(viewArguments)...,
               [this] { RunEventHandler(view, [this] { form.Command1_Click(); }); }),
          form(view, zone, format, std::move(commandLine))
    {
    }

    // Start-up, then the view's event loop until the window is closed; the
    // exit status.
    int Run()
    {
        RunEventHandler(view, [this] { form.Form_Load(); });
        return view.Run();
    }

    View view;
    Brisvanefrm form;
};

}  // namespace Brisvane
