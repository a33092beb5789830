// Filled in with the text part of the problem data.
