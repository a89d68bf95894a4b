// Links one layer of the behaviour on its own (see CMakeLists.txt); it is never run.
int main() {
  return 0;
}
