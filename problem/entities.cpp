// Filled in with the entities part of the problem data.
