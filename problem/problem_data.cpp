// Filled in with the problem_data part of the problem data.
