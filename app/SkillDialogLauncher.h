#pragma once

#include "Descriptors.h"

class QWidget;
class vloxBuildTarnekStruct;
struct tarnekArrayStruct;
struct xpBaseStruct;

// Runs the modal dialog of one skill tier (1..4) on the main window's model and database.
// Whatever the dialog returns is of no interest to the main window.
void OpenSkillDialog(Tier tier, tarnekArrayStruct& model, vloxBuildTarnekStruct& db, xpBaseStruct& writer,
                     QWidget* parent);
