// The program icon, drawn in code so the program carries no image files.
#pragma once

#include <QIcon>

QIcon ProgramIcon();
