// The pilot's commands into control-surface deflections.
#pragma once

void control();
