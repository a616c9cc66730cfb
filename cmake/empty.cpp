// Keeps dravok_core non-empty while subsystem folders are still bare.
