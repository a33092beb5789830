// Filled in with the distances part of the problem data.
