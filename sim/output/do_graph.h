// The data graph: samples of the chosen output items in a ring of 1800, and
// the window that draws them (window 23, "Graphics Output").
#pragma once

void init_graph_choices();
// Rebuilds the screen slots, the graph channels and the three channel flags
// from the ticks, clears the graph and the distance flown.
void set_rlt_grf_choices();
void clear_graph();
void grfload();   // one sample, every frame while graphing is on
void grfdrag();   // the open graph window follows its scroll bar
void grfplot();
void grfclick();
// The graph scale of channel c: a round number at or above the largest size
// of its held values (1 when it holds none).
float getscale(int c);
// Samples held, and the ring index of the k-th oldest.
int graph_samples();
int graph_index(int k);
