// The output files: "Tarvel.box", the data file of the data output, and
// "Tarvel.out", the reports and the cycle dump. Both stay open for the run.
// The file items can also go to a plain CSV file for spreadsheets.
#pragma once
#include <cstdio>

extern FILE* bbx;
extern FILE* trk;

void open_output_streams();
void close_output_streams();

// The output's part of the periodic event step: a flight-path sample and,
// when items are ticked for the file, one data-file row.
void output_evt();
// One row of the data file (and of the CSV file when it is on); the header
// row, after a blank line, whenever msc.cntr10 is 0.
void dskoutproc();

// The CSV file of the file items: one header row naming each column and its
// unit, then one row per output cycle. On while set.dskcsv is set and some
// item is ticked for the file; the choices call restart_data_csv(), which
// starts the file afresh when the columns changed.
void set_data_csv_path(const char* path);  // null or "": "Tarvel.csv" beside "Tarvel.box"
void restart_data_csv();
int  data_csv_on();
void datcsv_header(FILE* f);
void datcsv_row(FILE* f);

// The "Cycle Dump" command: asks for a dump of the next flight-model cycle.
void request_cycle_dump();
// The flight-state block that opens a cycle dump in "Tarvel.out".
void trackdiv();

// The Set Data Output window: which items go to the file, the graph and the screen.
void datplot();
void datclick();
// Where item's row of boxes stands in the window; 0 for items without one.
int datwin_row(int item, int* x, int* y);
// With more than `most` ticks the lowest-numbered ticked item other than
// `keep` is unticked; returns it, or -1.
int datwin_limit(int* ticks, int most, int keep);
