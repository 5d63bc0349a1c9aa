#include "vloxBuildTarnekStruct.h"

// Kept apart from the statements: this is the one place the database meets the plugin
// source writers.
void vloxBuildTarnekStruct::SaveAll(const tarnekArrayStruct& model, xpBaseStruct& writer)
{
    SaveDatabase(model);
    writer.WriteBaseHeader(model, sink_);
    writer.WriteSkillsInclude(model, sink_);
}
