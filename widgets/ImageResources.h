#pragma once

// The editor's images are compiled into the widgets library, whose resources a static
// library must register by hand before the first image is read; any number of calls
// register them once.
void RegisterImageResources();
