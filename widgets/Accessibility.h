#pragma once

class QWidget;

// Gives every control of a window a name and a description for assistive technologies where Qt
// finds none in what the control shows: a picture says what the value beside it is, a value
// names the picture beside it, a colour square says whose colour it sets, a menu is named after
// what it holds, bars, documents and charts say what they are, and a control with a hint is
// described by it, within its box. Derived from the texts on screen in the language in use, so it
// runs again after every change of language; names and descriptions a control was given by its
// window stay as they are. While no assistive technology listens, the window waits: it is
// described as one starts listening.
void DescribeForAssistiveTechnologies(QWidget* window);
