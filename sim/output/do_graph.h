// The data graph: samples of the chosen output items in a ring, and the
// window that draws them.
#pragma once

void init_graph_choices();
// The graph channels follow the graph ticks of the data-output choices.
void set_rlt_grf_choices();
void grfload();   // one sample, every frame while graphing is on
void grfdrag();   // the open graph window follows its scroll
void grfplot();
void grfclick();
