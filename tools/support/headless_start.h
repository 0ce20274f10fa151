// The whole simulator started once on SDL's dummy drivers and a fake clock,
// for benchmarks that time a part of it.
#pragma once

void start_headless_once();
