#pragma once

#include "rules/wizard_flow.h"

#include <QWidget>

class Wizard;

// Creates the window of one role; Wizard::createForms calls it in the program's order.
QWidget* createForm(Wizard& wizard, PageId id);
