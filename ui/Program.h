#pragma once

#include "Brisvanefrm.h"
#include "EventDispatch.h"

#include <string>
#include <utility>

namespace Brisvane {

// The program over one toolkit's view: the one place that joins the form
// and its window. The view is given, when it is made, what a click of
// "convert" runs: Command1_Click through the event dispatch. The view knows
// nothing of the form, and the form only its FormView.
//
// View is made from the arguments the toolkit needs, then that callable; it
// has Run(), its event loop, which returns the exit status.
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
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Start-up, then the event loop until the window is closed; the exit
    // status.
    int Run()
    {
        RunEventHandler(view, [this] { form.Form_Load(); });
        return view.Run();
    }

    // Made first: the form writes to it from its first moment. A click
    // cannot reach the form before it exists, since no event is handled
    // until Run.
    View view;
    Brisvanefrm form;
};

}  // namespace Brisvane
