// The own aircraft in the outside views, built from its own geometry.
#pragma once

void plot_plane();
