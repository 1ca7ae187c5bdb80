#pragma once

class Main;

// Explanations on the main window for an RF engineer: every input, every row of the result table and
// the combined, expanded and systematic rows get a tooltip and a "What's This" text (what the quantity
// is, where its value comes from, which distribution and divisor make it a standard uncertainty, when
// it is zero). The mismatch and linearity captions also say which treatment is in force and that a
// click switches it; they follow every evaluation. Shift+F1 shows the focused control's text, or, when
// it has none, lets the next click pick a control.
void AddExplanations(Main& window);
