#pragma once

namespace corvandel {

// Installs, for the whole program, the accessible interfaces of three kinds of widget that Qt
// presents wrongly to a screen reader: a drop-down box, which Qt on Linux names by its value
// rather than by its name (the pictures box would be "1"); the lines, which Qt presents as
// fillers named after the frame they lie in; and the results, which Qt calls editable. A widget's
// interface is made when it is first asked for, which can be while the widget is being built:
// install these before building any. Installing twice does nothing more.
void install_accessible_interfaces();

}  // namespace corvandel
