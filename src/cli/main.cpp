// Placeholder until the command-line host is built.
int main() { return 0; }
