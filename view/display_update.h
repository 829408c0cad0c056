#pragma once

// Copies the board into the scene: every tile whose square now calls for
// another picture gets that picture; the others are not touched, since every
// change makes Coin schedule a redraw. On a board drawn as one node, that
// node takes the squares whose picture changed. Traces its start and end.
//
// It changes Coin nodes, and Coin here is not thread-safe: run it on the
// thread that draws the scene. It takes no lock of its own, so a caller that
// holds boardMutex while it waits for that thread to run it cannot deadlock.
void doUpdates();
