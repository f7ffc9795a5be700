#pragma once
// Every operator new of the test program is counted (counted_allocations.cpp replaces
// it), so that a test can prove a stretch of code allocates nothing.

long long AllocationsSoFar();
