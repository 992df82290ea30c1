// Highlights the menu entry of the page being shown.
function markCurrentMenuEntry() {
  var links = document.querySelectorAll('.menu a');
  for (var i = 0; i < links.length; i++) {
    if (links[i].href === window.location.href) links[i].style.textDecoration = 'underline';
  }
}
window.addEventListener('load', markCurrentMenuEntry);
